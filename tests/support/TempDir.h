// A fresh directory for the lifetime of the object, removed with its
// contents afterwards, and small whole-file helpers for tests.
#pragma once

#include <string>
#include <string_view>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Host path of the directory, and of a file in it.
    const std::string& Path() const { return m_path; }
    std::string HostPath(std::string_view name) const { return m_path + "/" + std::string(name); }
    // The same paths in the phone's form (UTF-16, backslashes).
    std::u16string Phone() const;
    std::u16string Phone(std::string_view name) const;

    bool Exists(std::string_view name) const;
    // Whole contents of a file; empty when it is missing.
    std::string Read(std::string_view name) const;
    void Write(std::string_view name, std::string_view contents) const;

private:
    std::string m_path;
};
