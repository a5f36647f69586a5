// Test fixture for the readers of archive files: an application object (the
// file manager is one of its singletons), a temporary directory, and helpers
// that write archives built with the tools/ writers into it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/shared/components/CBigFileReader.h"
#include "tests/platform/TestApp.h"
#include "tests/support/TempDir.h"
#include "tools/BigFileWriter.h"

class ArchiveFixture : public ::testing::Test {
protected:
    const TempDir& Dir() const { return m_dir; }
    // Writes the bytes (or the archive) to a new file; returns its path in
    // the phone's form.
    std::u16string WriteBytes(const std::vector<std::uint8_t>& bytes);
    std::u16string WriteArchive(const vktools::BigFileWriter& writer, vktools::BigFileWriter::IdForm form);
    // Opens an archive of one blob under id 1, type 3 (with the fixture's
    // reader, so it stays open until the next call).
    CBigFileReader& Archive(const std::vector<std::uint8_t>& blob);

private:
    ScopedTestApp m_app;
    TempDir m_dir;
    int m_files = 0;
    CBigFileReader m_reader;
};
