// A fresh scratch directory under $TMPDIR (else /tmp), removed with all it
// holds when the object goes: at the end of its scope, or at the end of the
// program for a static one.
#pragma once

#include <string>
#include <string_view>

namespace vktools {

class ScratchDir {
public:
    // <base>/<prefix>XXXXXX; the path is empty when it cannot be made.
    explicit ScratchDir(std::string_view prefix);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace vktools
