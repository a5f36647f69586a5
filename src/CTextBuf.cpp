#include "src/CTextBuf.h"

#include <new>

#include "platform/shared/components/TextEncoding.h"
#include "platform/shared/core/Printf.h"
#include "platform/shared/core/StringUtil.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/CUtility.h"

std::int32_t CTextBuf::Allocate(std::int32_t capacity) {
    if (capacity == m_capacity) return 0;
    Free();
    if (capacity <= 0) return 0;
    m_buffer = new (std::nothrow) char16_t[capacity];
    if (m_buffer == nullptr) return kNoMemory;
    m_capacity = capacity;
    return 0;
}

void CTextBuf::Clear() {
    if (m_buffer == nullptr) return;
    m_buffer[0] = 0;
    m_length = 0;
}

void CTextBuf::Free() {
    delete[] m_buffer;
    m_buffer = nullptr;
    m_length = 0;
    m_capacity = 0;
}

std::uint32_t CTextBuf::Room() const {
    return m_buffer != nullptr && m_length < m_capacity - 1 ? static_cast<std::uint32_t>(m_capacity - m_length) : 0;
}

void CTextBuf::UpdateLength() { m_length = static_cast<std::int32_t>(WideStringLength(m_buffer)); }

void CTextBuf::AppendWide(const char16_t* text) {
    const std::uint32_t room = Room();
    if (text == nullptr || room == 0) return;
    CopyWideStringN(m_buffer + m_length, text, room);
    UpdateLength();
}

void CTextBuf::AppendNarrow(const char* text) {
    const std::uint32_t room = Room();
    if (text == nullptr || room == 0) return;
    NarrowToWideN(m_buffer + m_length, text, room);
    UpdateLength();
}

void CTextBuf::AppendUtf8(const std::uint8_t* bytes, std::uint32_t count) {
    const std::uint32_t room = Room();
    if (bytes == nullptr || count == 0 || room == 0) return;
    Utf8ToUtf16(bytes, count, m_buffer + m_length, room);
    UpdateLength();
}

void CTextBuf::AppendStringResource(std::uint32_t id) {
    if (id == 0 || Room() == 0) return;
    CResMgr* resources = CGameApp::GetResMgr();
    if (const char16_t* text = resources->GetText(id, 0)) {
        AppendWide(text);
        resources->Release(id, 0);
    }
}

void CTextBuf::AppendNewlines(std::int32_t n) {
    for (std::int32_t i = 0; i < n; ++i) AppendWide(u"\n");
}

void GetVersionText(char16_t* destination, std::uint32_t size) {
    char narrow[20];
    SPrintf(narrow, "%s.%s", "1", "0");
    NarrowToWideN(destination, narrow, size);
}

void GetBuildInfoText(char16_t* destination, std::uint32_t size) {
    char narrow[100];
    SPrintf(narrow, "\n\n\n\n\n\n$Name:  $\n%s %s", __DATE__, __TIME__);
    NarrowToWideN(destination, narrow, size);
}
