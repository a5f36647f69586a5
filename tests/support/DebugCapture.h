// Captures the debug output for the lifetime of the object.
#pragma once

#include <string>
#include <vector>

class DebugCapture {
public:
    DebugCapture();
    ~DebugCapture();
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;

    // Everything written so far, as UTF-8.
    std::string Text() const;
    // The complete lines written so far (without their line feeds).
    std::vector<std::string> Lines() const;
    void Clear();

private:
    std::u16string m_text;
};
