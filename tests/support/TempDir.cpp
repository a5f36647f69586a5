#include "tests/support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "host/File.h"

TempDir::TempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/vk-test-XXXXXX";
    const char* made = mkdtemp(pattern.data());
    EXPECT_NE(made, nullptr) << "cannot create a temporary directory";
    if (made != nullptr) m_path = made;
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
}

std::u16string TempDir::Phone() const { return host::ToPhonePath(m_path); }

std::u16string TempDir::Phone(std::string_view name) const { return host::ToPhonePath(HostPath(name)); }

bool TempDir::Exists(std::string_view name) const { return std::filesystem::exists(HostPath(name)); }

std::string TempDir::Read(std::string_view name) const {
    std::ifstream in(HostPath(name), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void TempDir::Write(std::string_view name, std::string_view contents) const {
    std::ofstream out(HostPath(name), std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
}
