// A fresh directory for the lifetime of the object, removed with its
// contents afterwards, and small whole-file helpers for tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "host/File.h"

class TempDir {
public:
    TempDir() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/vk-test-XXXXXX";
        const char* made = mkdtemp(pattern.data());
        EXPECT_NE(made, nullptr) << "cannot create a temporary directory";
        if (made != nullptr) m_path = made;
    }
    ~TempDir() {
        std::error_code ignored;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Host path of the directory, and of a file in it.
    const std::string& Path() const { return m_path; }
    std::string HostPath(std::string_view name) const { return m_path + "/" + std::string(name); }
    // The same paths in the phone's form (UTF-16, backslashes).
    std::u16string Phone() const { return host::ToPhonePath(m_path); }
    std::u16string Phone(std::string_view name) const { return host::ToPhonePath(HostPath(name)); }

    bool Exists(std::string_view name) const { return std::filesystem::exists(HostPath(name)); }
    // Whole contents of a file; empty when it is missing.
    std::string Read(std::string_view name) const { return ReadHost(HostPath(name)); }
    // Whole contents of any host file; empty when it is missing.
    static std::string ReadHost(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    void Write(std::string_view name, std::string_view contents) const {
        std::ofstream out(HostPath(name), std::ios::binary | std::ios::trunc);
        out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    }

private:
    std::string m_path;
};
