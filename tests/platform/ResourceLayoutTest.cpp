// The format writers against layouts spelled out byte by byte, so that a
// writer cannot share a mistake with the reader its round trips exercise;
// the readers are run on the same hand-made bytes.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <vector>

#include "platform/shared/components/CAggregateResource.h"
#include "platform/shared/components/CBigFileReader.h"
#include "tests/platform/ArchiveFixture.h"
#include "tools/BigFileWriter.h"
#include "tools/ResourceWriters.h"

namespace {

using vktools::Bytes;
using Form = vktools::BigFileWriter::IdForm;

// Little-endian words, appended to a byte list.
void Put16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

struct Entry {
    std::uint32_t id;
    std::uint32_t type;
    Bytes data;
};

// Ids 100-102 and 200-201 as in the archive format's description.
const std::vector<Entry>& Entries() {
    static const std::vector<Entry> entries = {
        {100, 7, {0xA0}}, {101, 8, {0xB0, 0xB1}}, {102, 9, {0xC0}}, {200, 10, {0xD0, 0xD1, 0xD2}}, {201, 11, {0xE0}},
    };
    return entries;
}

Bytes HandMadeArchive(Form form) {
    const bool ranges = form == Form::Range;
    const std::uint32_t idCount = ranges ? 2 : 5;
    const std::uint32_t entryTable = 32 + idCount * (ranges ? 8 : 4);
    Bytes out;
    Put32(out, 0);
    out.push_back(0);
    out.push_back(0);
    out.push_back(ranges ? 0x80 : 0x00);
    out.push_back(0);
    Put32(out, 32);
    Put32(out, idCount);
    Put32(out, entryTable);
    Put32(out, 5);
    Put32(out, 0);
    Put32(out, 0);
    if (ranges) {
        // {first id, number of ids, first entry index}
        Put32(out, 100);
        Put16(out, 3);
        Put16(out, 0);
        Put32(out, 200);
        Put16(out, 2);
        Put16(out, 3);
    } else {
        for (const auto& e : Entries()) Put32(out, e.id);
    }
    std::uint32_t offset = entryTable + 6 * 8;
    for (const auto& e : Entries()) {
        Put32(out, e.type);
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(e.data.size());
    }
    Put32(out, 0);
    Put32(out, offset);
    for (const auto& e : Entries()) out.insert(out.end(), e.data.begin(), e.data.end());
    return out;
}

class ResourceLayoutTest : public ArchiveFixture {};

TEST_F(ResourceLayoutTest, ArchiveLayoutInBothIdForms) {
    vktools::BigFileWriter writer;
    for (const auto& e : Entries()) writer.Add(e.id, e.type, e.data);
    for (const Form form : {Form::List, Form::Range}) {
        const Bytes archive = HandMadeArchive(form);
        EXPECT_EQ(writer.Build(form), archive);
        CBigFileReader reader;
        ASSERT_EQ(reader.Open(WriteBytes(archive).c_str()), 1);
        for (std::size_t i = 0; i < Entries().size(); ++i) {
            const Entry& e = Entries()[i];
            EXPECT_EQ(reader.FindIndex(e.id), static_cast<std::int32_t>(i));
            EXPECT_EQ(reader.GetEntryType(e.id), e.type);
            ASSERT_EQ(reader.GetEntrySize(e.id), e.data.size());
            Bytes out(e.data.size());
            ASSERT_EQ(reader.ReadEntry(e.id, out.data(), static_cast<std::uint32_t>(out.size())), 1);
            EXPECT_EQ(out, e.data);
        }
        for (const std::uint32_t unknown : {99u, 103u, 199u, 202u}) EXPECT_EQ(reader.FindIndex(unknown), -1);
    }
}

TEST_F(ResourceLayoutTest, BlobLayouts) {
    EXPECT_EQ(vktools::MakeBlob({1, 2}, {5, 0x01, 0xEE}), (Bytes{5, 0, 0x01, 0xEE, 0xEE, 1, 2}));

    const Bytes data(300, 0x42);
    const Bytes blob = vktools::MakeCompressedBlob(data, 9, {4, 0x00, 0});
    ASSERT_GT(blob.size(), 12u);
    EXPECT_EQ(Bytes(blob.begin(), blob.begin() + 4), (Bytes{4, 0, 0x80, 0}));
    Bytes sizes;
    Put32(sizes, 300);
    Put32(sizes, static_cast<std::uint32_t>(blob.size() - 12));
    EXPECT_EQ(Bytes(blob.begin() + 4, blob.begin() + 12), sizes);
    Bytes inflated(300);
    uLongf produced = 300;
    ASSERT_EQ(uncompress(inflated.data(), &produced, blob.data() + 12, static_cast<uLong>(blob.size() - 12)), Z_OK);
    EXPECT_EQ(produced, 300u);
    EXPECT_EQ(inflated, data);

    EXPECT_EQ(vktools::MakeKeyset({1, 0xFFFFFFFFu}), (Bytes{2, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(vktools::MakeUtfString(u"a\u00e9"), (Bytes{0, 3, 'a', 0xC3, 0xA9}));
}

TEST_F(ResourceLayoutTest, AggregateLayouts) {
    // Consecutive ids from base 10, u16 offsets: three items of 1, 2 and 0
    // bytes after a 16-byte table.
    const Bytes consecutive = {0x00, 0x80, 3, 0, 10, 0, 16, 0, 17, 0, 19, 0, 19, 0, 0, 0, 0x01, 0x02, 0x03};
    EXPECT_EQ(vktools::MakeAggregate(0x8000, 10, {{0, {0x01}}, {0, {0x02, 0x03}}, {0, {}}}), consecutive);
    // Explicit ids, u32 offsets and extras: a 28-byte table.
    const Bytes explicitIds = {
        0x00, 0x60, 2, 0,                                  // flags, count
        7, 0, 28, 0, 0, 0, 9, 0, 29, 0, 0, 0,              // (id, offset) x 2
        31, 0, 0, 0,                                       // end offset
        0x44, 0x33, 0x22, 0x11, 5, 0, 0, 0,                // extras
        0xAA, 0xBB, 0xCC,
    };
    EXPECT_EQ(vktools::MakeAggregate(0x6000, 0, {{7, {0xAA}, 0x11223344u}, {9, {0xBB, 0xCC}, 5}}), explicitIds);

    CBigFileReader reader;
    vktools::BigFileWriter writer;
    writer.Add(1, 6, vktools::MakeBlob(consecutive));
    writer.Add(2, 6, vktools::MakeBlob(explicitIds));
    ASSERT_EQ(reader.Open(WriteArchive(writer, Form::List).c_str()), 1);
    CAggregateResource agg;
    ASSERT_EQ(agg.Load(&reader, 1), 1);
    EXPECT_EQ(agg.GetSize(10), 1u);
    EXPECT_EQ(agg.GetSize(11 | 0x8000), 2u);
    EXPECT_EQ(agg.Has(12), 1);
    EXPECT_EQ(agg.GetSize(12), 0u);
    EXPECT_EQ(agg.Has(13), 0);
    std::uint8_t two[2] = {};
    agg.Read(11, two);
    EXPECT_EQ(Bytes(two, two + 2), (Bytes{0x02, 0x03}));
    ASSERT_EQ(agg.Load(&reader, 2), 1);
    EXPECT_EQ(agg.GetExtra(7), 0x11223344u);
    EXPECT_EQ(agg.GetExtra(9), 5u);
    agg.Read(9, two);
    EXPECT_EQ(Bytes(two, two + 2), (Bytes{0xBB, 0xCC}));
}

}  // namespace
