// The wire helpers: hash, key and checksum (against the Python reference),
// URL splitting, the reply readers and the blocks the library writes; and
// the network fuzz targets' seeds, with damaged copies, replayed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <sstream>

#include "fuzz/FuzzSeeds.h"
#include "fuzz/NetFuzzTargets.h"
#include "tests/net/NetTest.h"
#include "tests/support/FailingAlloc.h"
#include "tests/support/FuzzReplay.h"

// The application hooks the platform library calls; these tests run none.
CApp* CreateGameApp() { return nullptr; }
std::int32_t OnExecutorInit() { return 0; }
void OnExecutorShutdown() {}
void OnExecutorUpdate() {}
void OnExecutorDraw() {}

namespace {

using nettest::Bytes;

TEST(NetWire, HashAgreesWithItsVectorsAndThePythonReference) {
    // "abc" at each width; the byte 0xFF counts as -1 (as 255 it would give 0xC7B20F1D).
    const std::tuple<std::string, int, std::uint32_t> vectors[] = {
        {"abc", 4, 0xED131F5Bu}, {"abc", 2, 0xF248}, {"abc", 8, 0xBA}, {"\xFF", 4, 0x124A2494u}};
    for (const auto& [data, width, hash] : vectors) {
        EXPECT_EQ(CWUtil::Hash(0, nullptr, 0, reinterpret_cast<const std::uint8_t*>(data.data()),
                               static_cast<int>(data.size()), width), hash) << data << " " << width;
    }
    std::mt19937 rng(41);
    std::ostringstream lines;
    std::vector<std::uint32_t> ours;
    const auto random = [&](Bytes& bytes) {
        std::string text = "-";
        for (auto& b : bytes) {
            b = static_cast<std::uint8_t>(rng() % 2 ? 0x80 | rng() : rng());
            char two[3];
            std::snprintf(two, sizeof two, "%02x", b);
            text += two;
        }
        return text;
    };
    for (int i = 0; i < 1000; ++i) {
        const std::uint32_t seed = i % 4 == 0 ? 0 : static_cast<std::uint32_t>(rng());
        Bytes key(rng() % 12), data(rng() % 40);
        const int width = (const int[]){2, 4, 8}[i % 3];
        lines << std::hex << seed << ' ' << random(key) << ' ' << random(data) << ' ' << std::dec << width << '\n';
        ours.push_back(CWUtil::Hash(seed, key.data(), static_cast<int>(key.size()), data.data(),
                                    static_cast<int>(data.size()), width));
    }
    TempDir dir;
    dir.Write("cases", lines.str());
    Process python(nettest::Python("wnet.py", {"hash", dir.HostPath("cases")}));
    ASSERT_EQ(python.Wait(), 0) << python.Output();
    std::istringstream theirs(python.Output());
    for (std::size_t i = 0; i < ours.size(); ++i) {
        std::uint32_t value = 0;
        ASSERT_TRUE(theirs >> std::hex >> value) << "case " << i;
        ASSERT_EQ(ours[i], value) << "case " << i;
    }
}

TEST(NetWire, KeyAndChecksumOfAKnownRequest) {
    std::uint8_t key[8];
    CWUtil::GenerateKey(key, 0x0506, 7, 1, 2, 0x1234, 3, "key");  // the text "1286_7_1_2_4660_3"
    EXPECT_EQ(Bytes(key, key + 8), (Bytes{0xF4, 0x00, 0x72, 0x2A, 0xF4, 0x00, 0x72, 0x2A}));
    EXPECT_EQ(nettest::Frame(88, {0x05}), (Bytes{0x01, 0x09, 0x00, 0x01, 0x01, 0x02, 0x03, 0x07, 0x05, 0x06,
                                                 0x12, 0x34, 0x00, 0x00, 0x32, 0xEA, 0x58, 0x00, 0x05}));
}

TEST(NetWire, ParseUrl) {
    const std::tuple<const char*, std::int32_t, const char*, std::uint16_t, const char*> cases[] = {
        {"http://server:8080/x", 0, "server", 8080, "/x"},
        {"server:81", 0, "server", 81, ""},
        {"server/x", 0, "server", 80, "/x"},
        {"http://:8080/x", 0, "", 8080, "/x"},
        {"http://server", 0, "server", 80, ""},
        {"http://server/a:8/x", 0, "server/a", 8, "/a:8/x"},  // the first ':' separates the port
        {"server:65535/", 0, "server", 65535, "/"},
        {"server:65536/x", 1, "", 80, ""},  // would wrap to port 0
        {"server:0", 1, "", 80, ""},
        {"server:99999999999", 1, "", 80, ""},
        {"server:/x", 1, "", 80, ""},
        {nullptr, 1, "", 80, ""},
    };
    for (const auto& [url, result, host, port, path] : cases) {
        CStrChar h("old"), p("old");
        std::uint16_t got = 1;
        EXPECT_EQ(CWUtil::ParseURL(url, h, got, p), result) << url;
        EXPECT_STREQ(h.GetLength() ? h.GetBuffer() : "", host) << url;
        EXPECT_EQ(got, port) << url;
        EXPECT_STREQ(p.GetLength() ? p.GetBuffer() : "", path) << url;
    }
}

TEST(NetWire, Readers) {
    enum Reader { String, Blob16, Blob3 };
    // {reader, input, the allocation that fails (-1: none), result, the text
    // or the blob's bytes (a unit each), bytes left in the stream}
    const std::tuple<Reader, Bytes, int, std::int32_t, std::u16string, std::uint32_t> cases[] = {
        {String, {0, 0, 9}, -1, 0, u"", 1},  // absent text, only the count read
        {String, {0, 3, 'a', 0xC3, 0xA9, 9}, -1, 0, u"a\u00e9", 1},
        {String, {0, 4, 'a', 'b'}, -1, 5, u"", 0},
        {String, {0}, -1, 5, u"", 0},
        {String, {0, 2, 'a', 'b'}, 0, 2, u"", 2},
        {Blob16, {0, 2, 7, 8, 9}, -1, 0, u"\x07\x08", 1},
        {Blob16, {0, 0}, -1, 0, u"", 0},
        {Blob16, {0, 3, 7}, -1, 5, u"", 0},
        {Blob16, {0, 1, 7}, 0, 2, u"", 1},
        {Blob3, {1, 2, 3, 4}, -1, 0, u"\x01\x02\x03", 1},
        {Blob3, {1, 2}, -1, 5, u"", 0},
    };
    for (const auto& [reader, input, failAlloc, result, text, left] : cases) {
        CArrayInputStream stream(1);
        stream.SetData(input.data(), static_cast<std::uint32_t>(input.size()));
        FailNthNothrowNew(failAlloc);
        std::u16string got;
        std::int32_t read;
        if (reader == String) {
            char16_t* out = reinterpret_cast<char16_t*>(1);
            read = CWUtil::ReadString(out, stream);
            if (out != nullptr) got = out;
            delete[] out;
        } else {
            NetBlob blob{9, reinterpret_cast<std::uint8_t*>(1)};
            read = reader == Blob16 ? CWUtil::ReadBlob16(blob, stream) : CWUtil::ReadBlob(blob, stream, 3);
            EXPECT_EQ(blob.data == nullptr, blob.length == 0);
            got.assign(blob.data, blob.data + blob.length);
            CWUtil::FreeBlob(blob);
        }
        FailNthNothrowNew(-1);
        EXPECT_EQ(read, result) << testing::PrintToString(input);
        EXPECT_EQ(got, text) << testing::PrintToString(input);
        EXPECT_EQ(stream.Available(), left) << testing::PrintToString(input);
    }
}

TEST(NetWire, DeviceInfoScrambledPairsAndByteOrder) {
    nettest::HeadlessDevice device;
    EXPECT_EQ(nettest::DeviceInfo(), (Bytes{0x02, 0x08, 0x00, 0xF0, 0x01, 0x40, 0x10, 0x06}));
    const std::tuple<const char16_t*, const char16_t*, std::int32_t, Bytes> pairs[] = {
        {u"ab", u"c", 0, {0x02, 0x01, 0x00, 0x61, 0x00, 0x02, 0x00, 0x01}},
        {u"", u"c", 1, {}},
        {nullptr, u"c", 0, {}},
        {u"ab", nullptr, 0, {}},
    };
    for (const auto& [a, b, result, bytes] : pairs) {
        NetBlob blob;
        EXPECT_EQ(ScrambleStringPair(blob, a, b), result);
        EXPECT_EQ(Bytes(blob.data, blob.data + blob.length), bytes);
        CWUtil::FreeBlob(blob);
    }
    const std::uint32_t n32 = HostToNet32(0x01020304u);
    const std::uint16_t n16 = HostToNet16(0x0506);
    std::uint8_t wire[6];
    std::memcpy(wire, &n32, 4);
    std::memcpy(wire + 4, &n16, 2);
    EXPECT_EQ(Bytes(wire, wire + 6), (Bytes{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(NetToHost16(n16), 0x0506);
}

TEST(FuzzSeeds, NetTargets) {
    DebugCapture quiet;
    ReplayFuzzSeeds(fuzz::FuzzNetHttp, fuzz::NetHttpSeeds());
    ReplayFuzzSeeds(fuzz::FuzzNetRaw, fuzz::NetRawSeeds());
    ReplayFuzzSeeds(fuzz::FuzzNetReplies, fuzz::NetReplySeeds());
}

}  // namespace
