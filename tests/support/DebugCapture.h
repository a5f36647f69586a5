// Captures the debug output for the lifetime of the object.
#pragma once

#include <string>
#include <vector>

#include "host/Debug.h"

class DebugCapture {
public:
    DebugCapture() {
        host::SetDebugSink([this](std::u16string_view text) { m_text.append(text); });
    }
    ~DebugCapture() { host::SetDebugSink(nullptr); }
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;

    // Everything written so far, as UTF-8.
    std::string Text() const { return host::ToUtf8(m_text); }
    // The complete lines written so far (without their line feeds).
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        const std::string text = Text();
        for (std::size_t start = 0, nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1) {
            lines.push_back(text.substr(start, nl - start));
        }
        return lines;
    }
    // The lines that report an error or a failed assertion, each with its
    // line feed.
    std::string ErrorLines() const {
        std::string lines;
        for (const std::string& line : Lines()) {
            if (line.find("ERROR") != std::string::npos || line.find("ASSERT") != std::string::npos) {
                lines += line + "\n";
            }
        }
        return lines;
    }
    void Clear() { m_text.clear(); }

private:
    std::u16string m_text;
};
