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
    const std::size_t entryTable = 32 + 2 * 4;
    vktools::PatchU32(archive, entryTable + 8 + 4, 10);
    vktools::PatchU32(archive, entryTable + 16 + 4, size + 1);
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

TEST_F(ResourceTest, PlainBlobs) {
    // The id is masked to 15 bits; id 0 is refused.
    CBigFileReader& reader = Archive(vktools::MakeBlob({1, 2}, {5, 0x7F, 0xAA}));
    CBinRes res;
    for (const std::uint32_t id : {1u, 0x8001u, 0x40FF8001u}) {
        ASSERT_EQ(res.LoadFromBigFile(&reader, id, 1), 1) << id;
        EXPECT_EQ(PayloadOf(res), (Bytes{1, 2}));
    }
    EXPECT_EQ(res.LoadFromBigFile(&reader, 0, 0), 0);

    const Bytes data = MakeSampleData(777, 8);
    ASSERT_EQ(res.LoadFromFile(WriteBytes(data).c_str()), 1);
    EXPECT_EQ(PayloadOf(res), data);
    EXPECT_EQ(res.LoadFromFile(m_dir.Phone("missing").c_str()), 0);
}

TEST_F(ResourceTest, CompressedBlobsInflateExactly) {
    for (const std::uint32_t size : {0u, 1000u, 1u << 20}) {
        const Bytes data = MakeSampleData(size, size + 1);
        for (int level = 0; level <= 9; ++level) {
            if (size == (1u << 20) && level % 3 != 0) continue;
            CBinRes res;
            ASSERT_EQ(res.LoadFromBigFile(&Archive(vktools::MakeCompressedBlob(data, level)), 1, 1), 1);
            ASSERT_EQ(PayloadOf(res), data) << size << " " << level;
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
    const auto compressed = [](const Bytes& payload) { return vktools::MakeBlob(payload, {4, 0x80, 0}); };
    const struct {
        const char* name;
        Bytes blob;
        bool headerOk;  // the load fails only at inflation
    } cases[] = {
        {"header length equals size", Bytes{5, 0, 0, 0, 0}, false},
        {"blob shorter than its header fields", Bytes{2, 0}, false},
        {"K past the payload", compressed(vktools::MakeCompressedPayload(u, k + 1, stream)), true},
        {"K + 8 wraps", compressed(vktools::MakeCompressedPayload(u, 0xFFFFFFF9u, stream)), true},
        {"K zero", compressed(vktools::MakeCompressedPayload(u, 0, stream)), true},
        {"stream shorter than U", compressed(vktools::MakeCompressedPayload(u + 1, k, stream)), true},
        {"stream longer than U", compressed(vktools::MakeCompressedPayload(u - 1, k, stream)), true},
        {"U beyond any stream", compressed(vktools::MakeCompressedPayload(0xFFFFFFFFu, k, stream)), true},
        {"damaged stream", compressed(vktools::MakeCompressedPayload(u, k, corrupt)), true},
    };
    for (const auto& c : cases) {
        CBinRes res;
        EXPECT_EQ(res.LoadFromBigFile(&Archive(c.blob), 1, 1), 0) << c.name;
        if (c.headerOk) {
            // A failed inflation keeps the compressed blob.
            EXPECT_EQ(res.IsCompressed(), 1) << c.name;
            EXPECT_EQ(PayloadOf(res), Bytes(c.blob.begin() + 4, c.blob.end())) << c.name;
        } else {
            EXPECT_EQ(res.GetPayload(), nullptr) << c.name;
        }
    }
}

TEST_F(ResourceTest, InflateRefusesImpossibleSizesBeforeAllocating) {
    // Deflate expands a byte at most 1032 times: 8 compressed bytes can give
    // 8256 bytes, never 8257 or 4 GiB. An impossible size is refused before
    // its buffer is asked for, so the allocation failure armed here is still
    // waiting for the next allocation.
    const struct {
        std::uint32_t declared;
        bool allocates;
    } cases[] = {{8256, true}, {8257, false}, {0xFFFFFFFFu, false}};
    for (const auto& c : cases) {
        CBinRes res;
        const Bytes payload = vktools::MakeCompressedPayload(c.declared, 8, Bytes(8, 0));
        ASSERT_EQ(res.LoadFromBigFile(&Archive(vktools::MakeBlob(payload, {4, 0x80, 0})), 1, 0), 1);
        FailNthNothrowNew(0);
        EXPECT_EQ(res.Inflate(), 0);
        const std::unique_ptr<std::uint8_t> probe(new (std::nothrow) std::uint8_t);
        FailNthNothrowNew(-1);
        EXPECT_EQ(probe == nullptr, !c.allocates) << c.declared;
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
    }
}

TEST_F(ResourceTest, RefusesMalformedAggregates) {
    const Bytes good = vktools::MakeAggregate(vktools::kAggregateLongOffsets, 0, {{1, {1, 2, 3}, 0}, {2, {4, 5}, 0}});
    // Layout: flags, N, (id, u32 offset) x 2, end offset, data. The offsets
    // decrease; the end passes the payload, or lies far away.
    const std::pair<std::size_t, std::uint32_t> cases[] = {
        {12, 0}, {16, static_cast<std::uint32_t>(good.size()) + 1}, {16, 0xFFFFFFFFu}};
    CAggregateResource agg;
    ASSERT_EQ(agg.Load(&Archive(vktools::MakeBlob(good)), 1), 1);  // the end exactly at the payload's end
    for (const auto& [field, value] : cases) {
        Bytes bad = good;
        vktools::PatchU32(bad, field, value);
        EXPECT_EQ(agg.Load(&Archive(vktools::MakeBlob(bad)), 1), 0) << field << " " << value;
        EXPECT_EQ(agg.FindIndex(1), -1);
    }
    EXPECT_EQ(agg.Load(&Archive(vktools::MakeBlob(Bytes(good.begin(), good.begin() + 14))), 1), 0);

    // In every layout a table of empty sub-resources fills the payload
    // exactly; a byte less fails.
    for (std::uint32_t bits = 0; bits < 8; ++bits) {
        const Bytes table = vktools::MakeAggregate(static_cast<std::uint16_t>(bits << 13), 5, {{1, {}, 7}, {2, {}, 8}});
        EXPECT_EQ(agg.Load(&Archive(vktools::MakeBlob(table)), 1), 1) << bits;
        EXPECT_EQ(agg.Load(&Archive(vktools::MakeBlob(Bytes(table.begin(), table.end() - 1))), 1), 0) << bits;
    }
}

TEST_F(ResourceTest, Keysets) {
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
