// The wire helpers: hash, key and checksum (against the Python reference),
// URL splitting, the reply readers and the blocks the library writes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <sstream>

#include "platform/shared/components/CArrayOutputStream.h"
#include "tests/net/NetTest.h"
#include "tests/support/FailingAlloc.h"

// The application hooks the platform library calls; these tests run none.
CApp* CreateGameApp() { return nullptr; }
std::int32_t OnExecutorInit() { return 0; }
void OnExecutorShutdown() {}
void OnExecutorUpdate() {}
void OnExecutorDraw() {}

namespace {

using nettest::Bytes;

const std::uint8_t* Ptr(const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

TEST(NetWire, HashVectors) {
    struct Case {
        std::string data;
        int width;
        std::uint32_t hash;
    };
    const Case cases[] = {
        {"abc", 4, 0xED131F5Bu},
        {"abc", 2, 0xF248},
        {"abc", 8, 0xBA},
        {"\xFF", 4, 0x124A2494u},  // the byte counts as -1 (as 255 it would give 0xC7B20F1D)
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CWUtil::Hash(0, nullptr, 0, Ptr(c.data), static_cast<int>(c.data.size()), c.width), c.hash)
            << c.data << " " << c.width;
    }
}

TEST(NetWire, HashAgreesWithPythonReference) {
    std::mt19937 rng(41);
    std::ostringstream lines;
    std::vector<std::uint32_t> ours;
    const auto hex = [](const Bytes& bytes) {
        std::string text = "-";
        char two[3];
        for (std::uint8_t b : bytes) text += (std::snprintf(two, sizeof two, "%02x", b), two);
        return text;
    };
    for (int i = 0; i < 1000; ++i) {
        const std::uint32_t seed = i % 4 == 0 ? 0 : static_cast<std::uint32_t>(rng());
        Bytes key(rng() % 12), data(rng() % 40);
        for (auto& b : key) b = static_cast<std::uint8_t>(rng() % 2 ? 0x80 | rng() : rng());
        for (auto& b : data) b = static_cast<std::uint8_t>(rng() % 2 ? 0x80 | rng() : rng());
        const int width = (const int[]){2, 4, 8}[i % 3];
        ours.push_back(CWUtil::Hash(seed, key.data(), static_cast<int>(key.size()), data.data(),
                                    static_cast<int>(data.size()), width));
        char seedText[16];
        std::snprintf(seedText, sizeof seedText, "%x", seed);
        lines << seedText << ' ' << hex(key) << ' ' << hex(data) << ' ' << width << '\n';
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
    const Bytes frame = nettest::Frame(88, {0x05});
    EXPECT_EQ(frame, (Bytes{0x01, 0x09, 0x00, 0x01, 0x01, 0x02, 0x03, 0x07, 0x05, 0x06, 0x12, 0x34, 0x00, 0x00, 0x32,
                            0xEA, 0x58, 0x00, 0x05}));
}

TEST(NetWire, ParseUrl) {
    struct Case {
        const char* url;
        std::int32_t result;
        const char* host;
        std::uint16_t port;
        const char* path;
    };
    const Case cases[] = {
        {"http://server:8080/x", 0, "server", 8080, "/x"},
        {"server:81", 0, "server", 81, ""},
        {"server/x", 0, "server", 80, "/x"},
        {"server", 0, "server", 80, ""},
        {"http://server/a:8/x", 0, "server/a", 8, "/a:8/x"},  // the first ':' separates the port
        {"server:65535/", 0, "server", 65535, "/"},
        {"server:65536/x", 1, "", 80, ""},  // would wrap to port 0
        {"server:0", 1, "", 80, ""},
        {"server:99999999999", 1, "", 80, ""},
        {"server:/x", 1, "", 80, ""},
        {nullptr, 1, "", 80, ""},
    };
    for (const Case& c : cases) {
        CStrChar host("old"), path("old");
        std::uint16_t port = 1;
        EXPECT_EQ(CWUtil::ParseURL(c.url, host, port, path), c.result) << c.url;
        EXPECT_STREQ(host.GetLength() ? host.GetBuffer() : "", c.host) << c.url;
        EXPECT_EQ(port, c.port) << c.url;
        EXPECT_STREQ(path.GetLength() ? path.GetBuffer() : "", c.path) << c.url;
    }
}

TEST(NetWire, Readers) {
    enum Reader { String, Blob16, Blob3 };
    struct Case {
        Reader reader;
        Bytes input;
        int failAlloc;  // -1: none
        std::int32_t result;
        std::u16string text;  // or the blob's bytes, one unit each
        std::uint32_t left;   // bytes left in the stream
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        CArrayInputStream stream(1);
        stream.SetData(c.input.data(), static_cast<std::uint32_t>(c.input.size()));
        FailNthNothrowNew(c.failAlloc);
        std::u16string got;
        std::int32_t result;
        if (c.reader == String) {
            char16_t* text = reinterpret_cast<char16_t*>(1);
            result = CWUtil::ReadString(text, stream);
            if (text != nullptr) got = text;
            delete[] text;
        } else {
            NetBlob blob{9, reinterpret_cast<std::uint8_t*>(1)};
            result = c.reader == Blob16 ? CWUtil::ReadBlob16(blob, stream) : CWUtil::ReadBlob(blob, stream, 3);
            EXPECT_EQ(blob.data == nullptr, blob.length == 0);
            got.assign(blob.data, blob.data + blob.length);
            CWUtil::FreeBlob(blob);
        }
        FailNthNothrowNew(-1);
        const std::size_t index = &c - cases;
        EXPECT_EQ(result, c.result) << index;
        EXPECT_EQ(got, c.text) << index;
        EXPECT_EQ(stream.Available(), c.left) << index;
    }
}

TEST(NetWire, DeviceInfoOfTheHeadlessScreen) {
    nettest::HeadlessDevice device;
    std::uint8_t bytes[8] = {};
    CArrayOutputStream stream(1);
    stream.Attach(bytes, sizeof bytes);
    CWUtil::WriteDeviceInfo(stream);
    EXPECT_EQ(Bytes(bytes, bytes + 8), (Bytes{0x02, 0x08, 0x00, 0xF0, 0x01, 0x40, 0x10, 0x06}));
    EXPECT_EQ(CWUtil::GetDeviceInfoSize(), 8);
}

TEST(NetWire, ScrambleStringPairAndByteOrder) {
    struct Case {
        const char16_t* a;
        const char16_t* b;
        std::int32_t result;
        Bytes blob;
    };
    const Case cases[] = {
        {u"ab", u"c", 0, {0x02, 0x01, 0x00, 0x61, 0x00, 0x02, 0x00, 0x01}},
        {u"", u"c", 1, {}},
        {nullptr, u"c", 0, {}},
        {u"ab", nullptr, 0, {}},
    };
    for (const Case& c : cases) {
        NetBlob blob;
        EXPECT_EQ(ScrambleStringPair(blob, c.a, c.b), c.result);
        EXPECT_EQ(Bytes(blob.data, blob.data + blob.length), c.blob);
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

}  // namespace
