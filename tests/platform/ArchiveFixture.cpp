#include "tests/platform/ArchiveFixture.h"

std::u16string ArchiveFixture::WriteBytes(const std::vector<std::uint8_t>& bytes) {
    const std::string name = "file" + std::to_string(m_files++) + ".big";
    EXPECT_TRUE(vktools::WriteHostFile(m_dir.HostPath(name), bytes));
    return m_dir.Phone(name);
}

std::u16string ArchiveFixture::WriteArchive(const vktools::BigFileWriter& writer,
                                            vktools::BigFileWriter::IdForm form) {
    return WriteBytes(writer.Build(form));
}

CBigFileReader& ArchiveFixture::Archive(const std::vector<std::uint8_t>& blob) {
    vktools::BigFileWriter writer;
    writer.Add(1, 3, blob);
    EXPECT_EQ(m_reader.Open(WriteArchive(writer, vktools::BigFileWriter::IdForm::List).c_str()), 1);
    return m_reader;
}
