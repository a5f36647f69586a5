#include "tests/support/DebugCapture.h"

#include "host/Debug.h"

DebugCapture::DebugCapture() {
    host::SetDebugSink([this](std::u16string_view text) { m_text.append(text); });
}

DebugCapture::~DebugCapture() { host::SetDebugSink(nullptr); }

std::string DebugCapture::Text() const { return host::ToUtf8(m_text); }

std::vector<std::string> DebugCapture::Lines() const {
    std::vector<std::string> lines;
    const std::string text = Text();
    std::size_t start = 0;
    for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1) {
        lines.push_back(text.substr(start, nl - start));
    }
    return lines;
}

void DebugCapture::Clear() { m_text.clear(); }
