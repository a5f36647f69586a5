#include "tools/ScratchDir.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>

namespace vktools {

ScratchDir::ScratchDir(std::string_view prefix) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = base != nullptr && *base != '\0' ? base : "/tmp";
    pattern.append("/").append(prefix).append("XXXXXX");
    if (mkdtemp(pattern.data()) != nullptr) m_path = std::move(pattern);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
}

}  // namespace vktools
