// The resource archive and its blobs, aggregates and keysets, read from what
// the tools/ writers make; the writers against layouts spelled out byte by
// byte, so that a writer cannot share a mistake with the reader.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/shared/components/CAggregateResource.h"
#include "platform/shared/components/CBigFileReader.h"
#include "platform/shared/components/CBinRes.h"
#include "platform/shared/components/CKeysetResource.h"
#include "tests/platform/TestApp.h"
#include "tests/support/FailingAlloc.h"
#include "tests/support/Fixtures.h"
#include "tests/support/TempDir.h"
#include "tools/BigFileWriter.h"
#include "tools/ResourceWriters.h"

namespace {

using vktools::AggregateItem;
using vktools::BigFileWriter;
using vktools::Bytes;
using Form = BigFileWriter::IdForm;

class ResourceTest : public ::testing::Test {
protected:
    std::u16string WriteBytes(const Bytes& bytes) {
        const std::string name = "file" + std::to_string(m_files++) + ".big";
        EXPECT_TRUE(vktools::WriteHostFile(m_dir.HostPath(name), bytes));
        return m_dir.Phone(name);
    }
    // The fixture's reader, open on an archive of one blob under id 1, type 3.
    CBigFileReader& Archive(const Bytes& blob) {
        BigFileWriter writer;
        writer.Add(1, 3, blob);
        EXPECT_EQ(m_reader.Open(WriteBytes(writer.Build(Form::List)).c_str()), 1);
        return m_reader;
    }

    ScopedTestApp m_app;
    TempDir m_dir;
    int m_files = 0;
    CBigFileReader m_reader;
};

Bytes PayloadOf(const CBinRes& res) { return Bytes(res.GetPayload(), res.GetPayload() + res.GetPayloadSize()); }
Bytes Blob(const Bytes& payload, bool compress) {
    return compress ? vktools::MakeCompressedBlob(payload) : vktools::MakeBlob(payload);
}
void Put32(Bytes& out, std::initializer_list<std::uint32_t> words) {
    for (const std::uint32_t v : words) {
        for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}

TEST(ResourceLayout, WritersAgainstHandMadeLayouts) {
    // Five entries in both id forms: the header, the id table (a list of ids,
    // or {first id, count, first entry} ranges), the entries, the data.
    const Bytes data[] = {{0xA0}, {0xB0, 0xB1}, {0xC0}, {0xD0, 0xD1, 0xD2}, {0xE0}};
    const std::uint32_t ids[] = {100, 101, 102, 200, 201};
    vktools::BigFileWriter writer;
    for (std::uint32_t i = 0; i < 5; ++i) writer.Add(ids[i], 7 + i, data[i]);
    for (const Form form : {Form::List, Form::Range}) {
        const bool ranges = form == Form::Range;
        const std::uint32_t entryTable = ranges ? 32 + 2 * 8 : 32 + 5 * 4;
        Bytes expected = {0, 0, 0, 0, 0, 0, static_cast<std::uint8_t>(ranges ? 0x80 : 0x00), 0};
        Put32(expected, {32, ranges ? 2u : 5u, entryTable, 5, 0, 0});
        ranges ? Put32(expected, {100, 3, 200, 0x30002}) : Put32(expected, {100, 101, 102, 200, 201});
        std::uint32_t offset = entryTable + 6 * 8;
        for (std::uint32_t i = 0; i < 5; ++i) {
            Put32(expected, {7 + i, offset});
            offset += static_cast<std::uint32_t>(data[i].size());
        }
        Put32(expected, {0, offset});
        for (const Bytes& d : data) expected.insert(expected.end(), d.begin(), d.end());
        EXPECT_EQ(writer.Build(form), expected) << ranges;
    }
    EXPECT_EQ(vktools::MakeBlob({1, 2}, {5, 0x01, 0xEE}), (Bytes{5, 0, 0x01, 0xEE, 0xEE, 1, 2}));
    const Bytes blob = vktools::MakeCompressedBlob(Bytes(300, 0x42), 9, {4, 0x00, 0});
    Bytes head = {4, 0, 0x80, 0};
    Put32(head, {300, static_cast<std::uint32_t>(blob.size() - 12)});
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

TEST_F(ResourceTest, ArchivesRoundTripInBothIdForms) {
    // Ids compare as signed values: 0x80000001 sorts first, and its range
    // lies more than 2^31 below the others.
    const std::vector<std::pair<std::uint32_t, Bytes>> entries = {
        {0x80000001u, {1, 2}}, {5, {3}}, {6, {}}, {7, {4, 5, 6}}, {40, {7}}, {0x7FFFFFFFu, {8, 9}}};
    BigFileWriter w;
    for (const auto& [id, data] : entries) w.Add(id, id * 3, data);
    for (const Form form : {Form::List, Form::Range}) {
        CBigFileReader r;
        ASSERT_EQ(r.Open(WriteBytes(w.Build(form)).c_str()), 1);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const auto& [id, data] = entries[i];
            EXPECT_EQ(r.FindIndex(id), static_cast<std::int32_t>(i)) << id;
            EXPECT_EQ(r.GetEntryType(id), id * 3);
            Bytes out(data.size() + 1, 0xEE);
            EXPECT_EQ(r.ReadEntry(id, out.data(), static_cast<std::uint32_t>(out.size())), data.empty() ? 0 : 1);
            EXPECT_EQ(Bytes(out.begin(), out.end() - 1), data);
            EXPECT_EQ(out.back(), 0xEE);
        }
        for (const std::uint32_t unknown : {0u, 8u, 0x80000000u, 0xFFFFFFFFu}) EXPECT_EQ(r.FindIndex(unknown), -1);
    }
}

TEST_F(ResourceTest, RefusesDamagedArchives) {
    BigFileWriter w;
    w.Add(1, 0, Bytes{1, 2, 3});
    w.Add(2, 0, Bytes{4, 5});
    const Bytes good = w.Build(Form::List);
    const auto size = static_cast<std::uint32_t>(good.size());
    const std::pair<std::size_t, std::uint32_t> cases[] = {
        {BigFileWriter::kIdTableOffsetField, 0xFFFFFFF0u},
        {BigFileWriter::kIdCountField, 0x40000000u},  // 4 x count wraps to 0 in 32 bits
        {BigFileWriter::kEntryTableOffsetField, size - 8},
        {BigFileWriter::kEntryCountField, 0xFFFFFFFFu},
    };
    CBigFileReader r;
    for (const auto& [field, value] : cases) {
        Bytes bad = good;
        vktools::PatchU32(bad, field, value);
        EXPECT_EQ(r.Open(WriteBytes(bad).c_str()), 0) << field << " " << value;
    }
    EXPECT_EQ(r.Open(WriteBytes(Bytes(good.begin(), good.begin() + 31)).c_str()), 0);
    EXPECT_EQ(r.FindIndex(1), -1);
    // Entry 1 ends before it starts; entry 2 runs past the end of the file.
    Bytes archive = good;
    vktools::PatchU32(archive, 40 + 8 + 4, 10);
    vktools::PatchU32(archive, 40 + 16 + 4, size + 1);
    ASSERT_EQ(r.Open(WriteBytes(archive).c_str()), 1);
    std::uint8_t out[8];
    EXPECT_EQ(r.ReadEntry(1, out, 8), 0);
    EXPECT_EQ(r.ReadEntry(2, out, 8), 0);
    // A range whose entry index lies beyond the entry table.
    archive = w.Build(Form::Range);
    archive[32 + 6] = 5;
    ASSERT_EQ(r.Open(WriteBytes(archive).c_str()), 1);
    EXPECT_EQ(r.GetEntrySize(1), 0u);
}

TEST_F(ResourceTest, PlainAndCompressedBlobs) {
    // The id is masked to 15 bits; id 0 is refused.
    CBigFileReader& reader = Archive(vktools::MakeBlob({1, 2}, {5, 0x7F, 0xAA}));
    CBinRes res;
    for (const std::uint32_t id : {1u, 0x40FF8001u}) {
        ASSERT_EQ(res.LoadFromBigFile(&reader, id, 1), 1) << id;
        EXPECT_EQ(PayloadOf(res), (Bytes{1, 2}));
    }
    EXPECT_EQ(res.LoadFromBigFile(&reader, 0, 0), 0);
    // The smallest entry is the header length and the flags: 3 bytes, the
    // payload starting at the flags or at the length.
    for (const auto& [blob, payload] : {std::pair<Bytes, Bytes>{{2, 0, 0x7F}, {0x7F}}, {{0, 0, 0x01}, {0, 0, 0x01}}}) {
        ASSERT_EQ(res.LoadFromBigFile(&Archive(blob), 1, 1), 1);
        EXPECT_EQ(PayloadOf(res), payload);
    }
    const Bytes data = MakeSampleData(777, 8);
    ASSERT_EQ(res.LoadFromFile(WriteBytes(data).c_str()), 1);
    EXPECT_EQ(PayloadOf(res), data);
    EXPECT_EQ(res.LoadFromFile(m_dir.Phone("missing").c_str()), 0);
    for (const std::uint32_t size : {0u, 1000u, 1u << 20}) {
        const Bytes sample = MakeSampleData(size, size + 1);
        for (const int level : {0, 9}) {
            ASSERT_EQ(res.LoadFromBigFile(&Archive(vktools::MakeCompressedBlob(sample, level)), 1, 1), 1);
            ASSERT_EQ(PayloadOf(res), sample) << size << " " << level;
        }
    }
}

TEST_F(ResourceTest, RefusesMalformedBlobs) {
    const Bytes data = MakeSampleData(2000, 11);
    const Bytes stream = vktools::Deflate(data, 6);
    const auto u = static_cast<std::uint32_t>(data.size());
    const auto k = static_cast<std::uint32_t>(stream.size());
    Bytes corrupt = stream;
    corrupt[corrupt.size() / 2] ^= 0x55;
    const auto compressed = [](std::uint32_t u, std::uint32_t k, const Bytes& stream) {
        return vktools::MakeBlob(vktools::MakeCompressedPayload(u, k, stream), {4, 0x80, 0});
    };
    const struct {
        const char* name;
        Bytes blob;
        bool headerOk;  // the load fails only at inflation
    } cases[] = {
        {"header length equals size", Bytes{5, 0, 0, 0, 0}, false},
        {"blob shorter than its header fields", Bytes{2, 0}, false},
        {"header length below the size, no flags", Bytes{1, 0}, false},
        {"K past the payload", compressed(u, k + 1, stream), true},
        {"K + 8 wraps", compressed(u, 0xFFFFFFF9u, stream), true},
        {"K zero", compressed(u, 0, stream), true},
        {"stream shorter than U", compressed(u + 1, k, stream), true},
        {"stream longer than U", compressed(u - 1, k, stream), true},
        {"damaged stream", compressed(u, k, corrupt), true},
    };
    for (const auto& c : cases) {
        CBinRes res;
        EXPECT_EQ(res.LoadFromBigFile(&Archive(c.blob), 1, 1), 0) << c.name;
        // A failed inflation keeps the compressed blob.
        EXPECT_EQ(PayloadOf(res), c.headerOk ? Bytes(c.blob.begin() + 4, c.blob.end()) : Bytes{}) << c.name;
    }
    // Deflate expands a byte at most 1032 times: 8 compressed bytes can give
    // 8256 bytes, never 8257 or 4 GiB. An impossible size is refused before
    // its buffer is asked for, so the allocation failure armed here is still
    // waiting for the next allocation.
    for (const auto& [declared, allocates] : {std::pair{8256u, true}, {8257u, false}, {0xFFFFFFFFu, false}}) {
        CBinRes res;
        ASSERT_EQ(res.LoadFromBigFile(&Archive(compressed(declared, 8, Bytes(8, 0))), 1, 0), 1);
        FailNthNothrowNew(0);
        EXPECT_EQ(res.Inflate(), 0);
        const std::unique_ptr<std::uint8_t> probe(new (std::nothrow) std::uint8_t);
        FailNthNothrowNew(-1);
        EXPECT_EQ(probe == nullptr, !allocates) << declared;
    }
}

TEST_F(ResourceTest, AggregatesRoundTripInEveryLayout) {
    const std::vector<AggregateItem> items = {
        {40, {1, 2, 3}, 0x11111111}, {7, {}, 0x22222222}, {300, Bytes(70, 0x5A), 0x33333333}};
    for (std::uint32_t bits = 0; bits < 8; ++bits) {
        const auto flags = static_cast<std::uint16_t>(bits << 13);
        const bool consecutive = (flags & vktools::kAggregateConsecutiveIds) != 0;
        const Bytes payload = vktools::MakeAggregate(flags, 10, items);
        for (const bool compress : {false, true}) {
            CAggregateResource agg;
            ASSERT_EQ(agg.Load(&Archive(Blob(payload, compress)), 1), 1);
            for (std::size_t i = 0; i < items.size(); ++i) {
                const std::uint32_t id = consecutive ? 10 + static_cast<std::uint32_t>(i) : items[i].id;
                for (const std::uint32_t asked : {id, id | 0x8000u}) {
                    ASSERT_EQ(agg.FindIndex(asked), static_cast<std::int32_t>(i)) << flags << " " << asked;
                    EXPECT_EQ(agg.GetSize(asked), items[i].data.size());
                    EXPECT_EQ(agg.GetExtra(asked), (flags & vktools::kAggregateExtras) ? items[i].extra : 0u);
                }
                Bytes out(items[i].data.size());
                agg.Read(id, out.data());
                EXPECT_EQ(out, items[i].data);
            }
            EXPECT_EQ(agg.Has(consecutive ? 13 : 8), 0);
        }
        // A table of empty sub-resources fills the payload exactly; a byte less fails.
        const Bytes table = vktools::MakeAggregate(flags, 5, {{1, {}, 7}, {2, {}, 8}});
        CAggregateResource agg;
        EXPECT_EQ(agg.Load(&Archive(vktools::MakeBlob(table)), 1), 1) << bits;
        EXPECT_EQ(agg.Load(&Archive(vktools::MakeBlob(Bytes(table.begin(), table.end() - 1))), 1), 0) << bits;
    }
}

TEST_F(ResourceTest, RefusesMalformedAggregatesAndKeysets) {
    const Bytes good = vktools::MakeAggregate(vktools::kAggregateLongOffsets, 0, {{1, {1, 2, 3}, 0}, {2, {4, 5}, 0}});
    // Layout: flags, N, (id, u32 offset) x 2, end offset, data. The offsets
    // decrease; the end passes the payload, or lies far away.
    const std::pair<std::size_t, std::uint32_t> cases[] = {
        {12, 0}, {16, static_cast<std::uint32_t>(good.size()) + 1}, {16, 0xFFFFFFFFu}};
    CAggregateResource agg;
    for (const auto& [field, value] : cases) {
        ASSERT_EQ(agg.Load(&Archive(vktools::MakeBlob(good)), 1), 1);  // the end exactly at the payload's end
        Bytes bad = good;
        vktools::PatchU32(bad, field, value);
        EXPECT_EQ(agg.Load(&Archive(vktools::MakeBlob(bad)), 1), 0) << field << " " << value;
        EXPECT_EQ(agg.FindIndex(1), -1);
    }
    const std::vector<std::uint32_t> keys = {0x03000001u, 0xFFFFFFFFu, 0, 42};
    CKeysetResource set;
    for (const bool compress : {false, true}) {
        ASSERT_EQ(set.Load(&Archive(Blob(vktools::MakeKeyset(keys), compress)), 1), 1);
        ASSERT_EQ(set.GetCount(), keys.size());
        for (std::uint32_t i = 0; i < keys.size(); ++i) EXPECT_EQ(set.GetKey(i), keys[i]);
    }
    Bytes payload = vktools::MakeKeyset({1, 2, 3});
    payload.pop_back();
    EXPECT_EQ(set.Load(&Archive(vktools::MakeBlob(payload)), 1), 0);
    EXPECT_EQ(set.GetCount(), 0u);
}

}  // namespace
