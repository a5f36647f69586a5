// A fatal message shown over the whole screen in the screen colours,
// optionally for a limited time: with a timeout above 0 the screen ends with
// result 1 in the update in which that many milliseconds have passed;
// without one it stays until its owner removes it. The owner's subclass
// answers the widget commands.
#pragma once

#include <cstdint>

#include "platform/shared/components/CTimer.h"
#include "src/CWidgetScreen.h"

class CFont;

class CCriticalErrorScreen : public CGenericWidgetScreen {
public:
    // Before Init; the font and the message stay the caller's.
    void Setup(CFont* font, const char16_t* message, std::int32_t timeoutMs);

    // Clears the result, starts the timeout and makes the message the
    // screen-sized root; 0.
    std::int32_t Init() override;
    // The tree's update, then the timeout; 1.
    std::uint32_t Update(std::uint32_t dt) override;

protected:
    CTextWidget m_message;

private:
    CFont* m_font = nullptr;
    const char16_t* m_text = nullptr;
    std::int32_t m_timeout = 0;
    CTimer m_timer;
};
