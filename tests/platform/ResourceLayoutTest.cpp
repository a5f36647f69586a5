// The format writers against layouts spelled out byte by byte, so that a
// writer cannot share a mistake with the reader its round trips exercise.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tools/BigFileWriter.h"
#include "tools/ResourceWriters.h"

namespace {

using vktools::Bytes;
using Form = vktools::BigFileWriter::IdForm;

void Put32(Bytes& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

struct Entry {
    std::uint32_t id;
    std::uint32_t type;
    Bytes data;
};
const Entry kEntries[] = {
    {100, 7, {0xA0}}, {101, 8, {0xB0, 0xB1}}, {102, 9, {0xC0}}, {200, 10, {0xD0, 0xD1, 0xD2}}, {201, 11, {0xE0}},
};

Bytes HandMadeArchive(Form form) {
    const bool ranges = form == Form::Range;
    const std::uint32_t idCount = ranges ? 2 : 5;
    const std::uint32_t entryTable = 32 + idCount * (ranges ? 8 : 4);
    Bytes out = {0, 0, 0, 0, 0, 0, static_cast<std::uint8_t>(ranges ? 0x80 : 0x00), 0};
    for (const std::uint32_t field : {32u, idCount, entryTable, 5u, 0u, 0u}) Put32(out, field);
    if (ranges) {
        // {first id, number of ids, first entry index} x 2
        for (const std::uint32_t field : {100u, 3u, 200u, 0x30002u}) Put32(out, field);
    } else {
        for (const auto& e : kEntries) Put32(out, e.id);
    }
    std::uint32_t offset = entryTable + 6 * 8;
    for (const auto& e : kEntries) {
        Put32(out, e.type);
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(e.data.size());
    }
    Put32(out, 0);
    Put32(out, offset);
    for (const auto& e : kEntries) out.insert(out.end(), e.data.begin(), e.data.end());
    return out;
}

TEST(ResourceLayout, ArchiveLayoutInBothIdForms) {
    vktools::BigFileWriter writer;
    for (const auto& e : kEntries) writer.Add(e.id, e.type, e.data);
    EXPECT_EQ(writer.Build(Form::List), HandMadeArchive(Form::List));
    EXPECT_EQ(writer.Build(Form::Range), HandMadeArchive(Form::Range));
}

TEST(ResourceLayout, BlobKeysetTextAndAggregateLayouts) {
    EXPECT_EQ(vktools::MakeBlob({1, 2}, {5, 0x01, 0xEE}), (Bytes{5, 0, 0x01, 0xEE, 0xEE, 1, 2}));

    const Bytes data(300, 0x42);
    const Bytes blob = vktools::MakeCompressedBlob(data, 9, {4, 0x00, 0});
    Bytes head = {4, 0, 0x80, 0};
    Put32(head, 300);
    Put32(head, static_cast<std::uint32_t>(blob.size() - 12));
    head.insert(head.end(), blob.begin() + 12, blob.end());  // the stream checked by the reader's round trips
    EXPECT_EQ(blob, head);

    EXPECT_EQ(vktools::MakeKeyset({1, 0xFFFFFFFFu}), (Bytes{2, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(vktools::MakeUtfString(u"a\u00e9"), (Bytes{0, 3, 'a', 0xC3, 0xA9}));
    // An aggregate with explicit ids, u32 offsets and extras: a 28-byte table.
    const Bytes aggregate = {
        0x00, 0x60, 2, 0,                       // flags, count
        7, 0, 28, 0, 0, 0, 9, 0, 29, 0, 0, 0,   // (id, offset) x 2
        31, 0, 0, 0,                            // end offset
        0x44, 0x33, 0x22, 0x11, 5, 0, 0, 0,     // extras
        0xAA, 0xBB, 0xCC,
    };
    EXPECT_EQ(vktools::MakeAggregate(0x6000, 0, {{7, {0xAA}, 0x11223344u}, {9, {0xBB, 0xCC}, 5}}), aggregate);
}

}  // namespace
