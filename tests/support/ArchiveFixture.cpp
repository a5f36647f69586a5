#include "tests/support/ArchiveFixture.h"


std::u16string ArchiveFixture::WriteBytes(const std::vector<std::uint8_t>& bytes) {
    const std::string name = "file" + std::to_string(m_files++) + ".big";
    EXPECT_TRUE(vktools::WriteHostFile(m_dir.HostPath(name), bytes));
    return m_dir.Phone(name);
}

std::u16string ArchiveFixture::WriteArchive(const vktools::BigFileWriter& writer,
                                            vktools::BigFileWriter::IdForm form) {
    return WriteBytes(writer.Build(form));
}

std::u16string ArchiveFixture::WriteSingleBlob(const std::vector<std::uint8_t>& blob) {
    vktools::BigFileWriter writer;
    writer.Add(1, 3, blob);
    return WriteArchive(writer, vktools::BigFileWriter::IdForm::List);
}

void ArchiveFixture::PatchU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.at(offset + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(value >> (8 * i));
}
