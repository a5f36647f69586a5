#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/shared/components/CBigFileReader.h"
#include "tests/platform/ArchiveFixture.h"
#include "tools/BigFileWriter.h"

namespace {

using vktools::BigFileWriter;
using vktools::Bytes;
using Form = BigFileWriter::IdForm;

class BigFileReaderTest : public ArchiveFixture {};

TEST_F(BigFileReaderTest, LooksUpRanges) {
    BigFileWriter w;
    for (const std::uint32_t id : {100u, 101u, 102u, 200u, 201u}) w.Add(id, id + 1000, Bytes(id % 7 + 1, 0xAB));
    CBigFileReader r;
    ASSERT_EQ(r.Open(WriteArchive(w, Form::Range).c_str()), 1);
    const struct {
        std::uint32_t id;
        std::int32_t index;
    } cases[] = {{100, 0}, {101, 1}, {102, 2}, {200, 3}, {201, 4}, {103, -1}, {99, -1}, {202, -1}, {0, -1}};
    for (const auto& c : cases) EXPECT_EQ(r.FindIndex(c.id), c.index) << c.id;
    EXPECT_EQ(r.GetEntryType(201), 1201u);
    EXPECT_EQ(r.GetEntrySize(201), 201u % 7 + 1);
}

TEST_F(BigFileReaderTest, LooksUpLists) {
    BigFileWriter w;
    for (const std::uint32_t id : {5u, 9u, 12u}) w.Add(id, 7, Bytes{static_cast<std::uint8_t>(id)});
    CBigFileReader r;
    ASSERT_EQ(r.Open(WriteArchive(w, Form::List).c_str()), 1);
    EXPECT_EQ(r.FindIndex(9), 1);
    EXPECT_EQ(r.FindIndex(10), -1);
    EXPECT_EQ(r.FindIndex(5), 0);
    EXPECT_EQ(r.FindIndex(12), 2);
    EXPECT_EQ(r.GetEntrySize(10), 0u);
    EXPECT_EQ(r.GetEntryType(10), 0u);
    std::uint8_t byte = 0;
    EXPECT_EQ(r.ReadEntry(10, &byte, 1), 0);
}

TEST_F(BigFileReaderTest, RoundTripsEntriesInBothForms) {
    std::mt19937 rng(99);
    BigFileWriter w;
    std::vector<std::pair<std::uint32_t, Bytes>> entries;
    std::uint32_t id = 1;
    for (int i = 0; i < 300; ++i) {
        id += 1 + (rng() % 4 == 0 ? rng() % 50 : 0);
        Bytes data(rng() % 40, 0);
        for (auto& b : data) b = static_cast<std::uint8_t>(rng());
        w.Add(id, id * 3, data);
        entries.emplace_back(id, data);
    }
    // Ids compare as signed values: these sort before all the others.
    w.Add(0x80000001u, 1, Bytes{1, 2});
    entries.emplace_back(0x80000001u, Bytes{1, 2});
    for (const Form form : {Form::List, Form::Range}) {
        CBigFileReader r;
        ASSERT_EQ(r.Open(WriteArchive(w, form).c_str()), 1);
        for (const auto& [key, data] : entries) {
            ASSERT_EQ(r.GetEntrySize(key), data.size()) << key;
            Bytes out(data.size() + 1, 0xEE);
            EXPECT_EQ(r.ReadEntry(key, out.data(), static_cast<std::uint32_t>(out.size())), data.empty() ? 0 : 1);
            EXPECT_EQ(Bytes(out.begin(), out.end() - 1), data);
            EXPECT_EQ(out.back(), 0xEE);
        }
        EXPECT_EQ(r.FindIndex(0x80000001u), 0);
        EXPECT_EQ(r.FindIndex(id + 1), -1);
    }
}

TEST_F(BigFileReaderTest, ReadEntryStopsAtTheMaximum) {
    BigFileWriter w;
    w.Add(1, 0, Bytes{1, 2, 3, 4, 5});
    w.Add(2, 0, Bytes{6, 7});
    CBigFileReader r;
    ASSERT_EQ(r.Open(WriteArchive(w, Form::List).c_str()), 1);
    std::uint8_t out[5] = {};
    EXPECT_EQ(r.ReadEntry(1, out, 3), 1);
    EXPECT_EQ(Bytes(out, out + 5), (Bytes{1, 2, 3, 0, 0}));
    EXPECT_EQ(r.ReadEntry(1, out, 0), 0);
    EXPECT_EQ(r.ReadEntry(2, out, 5), 1);  // the last entry ends at record n
    EXPECT_EQ(Bytes(out, out + 2), (Bytes{6, 7}));
    r.Close();
    EXPECT_EQ(r.FindIndex(1), -1);
    EXPECT_EQ(r.ReadEntry(1, out, 5), 0);
}

TEST_F(BigFileReaderTest, ArchiveWithoutIdsFindsNothing) {
    BigFileWriter w;
    Bytes archive = w.Build(Form::List);
    CBigFileReader r;
    ASSERT_EQ(r.Open(WriteBytes(archive).c_str()), 1);
    EXPECT_EQ(r.FindIndex(0), -1);
    // Entries without an id table cannot be reached either.
    w.Add(1, 0, Bytes{1});
    archive = w.Build(Form::List);
    vktools::PatchU32(archive, BigFileWriter::kIdCountField, 0);
    ASSERT_EQ(r.Open(WriteBytes(archive).c_str()), 1);
    EXPECT_EQ(r.FindIndex(1), -1);
    EXPECT_EQ(r.GetEntrySize(1), 0u);
}

TEST_F(BigFileReaderTest, RefusesDamagedArchives) {
    BigFileWriter w;
    w.Add(1, 0, Bytes{1, 2, 3});
    w.Add(2, 0, Bytes{4, 5});
    const Bytes good = w.Build(Form::List);
    const auto size = static_cast<std::uint32_t>(good.size());
    struct Case {
        const char* name;
        std::size_t field;
        std::uint32_t value;
    };
    const Case cases[] = {
        {"id table past the end", BigFileWriter::kIdTableOffsetField, size - 4},
        {"id table offset far away", BigFileWriter::kIdTableOffsetField, 0xFFFFFFF0u},
        {"id count too large", BigFileWriter::kIdCountField, 0x40000000u},
        {"id count at the limit", BigFileWriter::kIdCountField, 0xFFFFFFFFu},
        {"entry table past the end", BigFileWriter::kEntryTableOffsetField, size - 8},
        {"entry count too large", BigFileWriter::kEntryCountField, 0x20000000u},
        {"entry count wraps", BigFileWriter::kEntryCountField, 0xFFFFFFFFu},
    };
    for (const auto& c : cases) {
        Bytes bad = good;
        vktools::PatchU32(bad, c.field, c.value);
        CBigFileReader r;
        EXPECT_EQ(r.Open(WriteBytes(bad).c_str()), 0) << c.name;
    }
    CBigFileReader r;
    EXPECT_EQ(r.Open(WriteBytes(Bytes(good.begin(), good.begin() + 31)).c_str()), 0) << "short header";
    EXPECT_EQ(r.Open(WriteBytes(Bytes()).c_str()), 0) << "empty file";
    EXPECT_EQ(r.Open(Dir().Phone("missing.big").c_str()), 0) << "missing file";
    EXPECT_EQ(r.Open(nullptr), 0);
    EXPECT_EQ(r.FindIndex(1), -1);
    ASSERT_EQ(r.Open(WriteBytes(good).c_str()), 1);
}

TEST_F(BigFileReaderTest, MalformedEntriesReadAsEmpty) {
    BigFileWriter w;
    w.Add(1, 0, Bytes{1, 2, 3});
    w.Add(2, 0, Bytes{4, 5});
    Bytes archive = w.Build(Form::List);
    const std::size_t entryTable = 32 + 2 * 4;
    // Entry 1 ends before it starts; entry 2 runs past the end of the file.
    vktools::PatchU32(archive, entryTable + 8 + 4, 10);
    vktools::PatchU32(archive, entryTable + 16 + 4, static_cast<std::uint32_t>(archive.size()) + 1);
    CBigFileReader r;
    ASSERT_EQ(r.Open(WriteBytes(archive).c_str()), 1);
    std::uint8_t out[8];
    EXPECT_EQ(r.GetEntrySize(1), 0u);
    EXPECT_EQ(r.ReadEntry(1, out, 8), 0);
    EXPECT_EQ(r.GetEntrySize(2), 0u);
    EXPECT_EQ(r.ReadEntry(2, out, 8), 0);

    // A range whose entry index lies beyond the entry table.
    BigFileWriter ranges;
    ranges.Add(7, 0, Bytes{1});
    archive = ranges.Build(Form::Range);
    archive[32 + 6] = 5;
    ASSERT_EQ(r.Open(WriteBytes(archive).c_str()), 1);
    EXPECT_EQ(r.FindIndex(7), 5);
    EXPECT_EQ(r.GetEntrySize(7), 0u);
    EXPECT_EQ(r.GetEntryType(7), 0u);
}

}  // namespace
