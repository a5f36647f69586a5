#include "src/CCriticalErrorScreen.h"

#include "src/DrawingUtil.h"

void CCriticalErrorScreen::Setup(CFont* font, const char16_t* message, std::int32_t timeoutMs) {
    m_font = font;
    m_text = message;
    m_timeout = timeoutMs;
}

std::int32_t CCriticalErrorScreen::Init() {
    ClearResult();
    m_timer.Stop();
    if (m_timeout > 0) m_timer.Start(m_timeout, false);
    std::int32_t width = 0;
    std::int32_t height = 0;
    GetScreenSize(&width, &height, "CCriticalErrorScreen", 76);
    m_message.SetLocalRect(WidgetRect(0, 0, width, height));
    m_message.SetColours(CWidgetScreen::kBackground, CWidgetScreen::kForeground, CWidgetScreen::kHighlight);
    m_message.SetFont(m_font);
    m_message.SetText(m_text);
    SetRootWidget(&m_message);
    return 0;
}

std::uint32_t CCriticalErrorScreen::Update(std::uint32_t dt) {
    CGenericWidgetScreen::Update(dt);
    if (m_timer.Update(static_cast<std::int32_t>(dt)) != 0) SetResult(1);
    return 1;
}
