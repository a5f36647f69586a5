// The request client over both transports against the Python peers: the
// frames it builds (against the Python reference), the reply checks, the
// retries and the URL templates.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/shared/components/CArrayOutputStream.h"
#include "platform/shared/network/CWNet.h"
#include "tests/net/NetTest.h"
#include "tests/support/LoopbackServer.h"

namespace {

using nettest::Bytes;

std::string Hex(const Bytes& bytes) {
    std::ostringstream out;
    for (std::uint8_t b : bytes) out << "0123456789abcdef"[b >> 4] << "0123456789abcdef"[b & 15];
    return bytes.empty() ? "-" : out.str();
}

class Client : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_http = new nettest::Peer("http_peer.py");
        s_raw = new nettest::Peer("raw_peer.py");
    }
    static void TearDownTestSuite() {
        delete s_http;
        delete s_raw;
    }
    void SetUp() override { m_net.SetConfig(nettest::Config()); }
    void TearDown() override { EXPECT_EQ(s_http->Problems() + s_raw->Problems(), ""); }

    // Sends the payload and polls to the end; the result.
    std::int32_t Run(std::int32_t transport, const std::string& url, const Bytes& payload, std::int32_t expected = 0,
                     const Bytes& extra = {}, bool keep = false, std::uint32_t dt = 1) {
        const std::int32_t started = m_net.SendRequest(
            transport, 88, expected, url.c_str(), false, 0, keep, 3, extra.empty() ? nullptr : extra.data(),
            static_cast<std::uint32_t>(extra.size()), payload.data(), static_cast<std::uint32_t>(payload.size()));
        if (started != 0) return started;
        nettest::RunToEnd(m_net, dt);
        return m_net.GetResult();
    }
    Bytes Reply() const { return Bytes(m_net.GetReplyData(), m_net.GetReplyData() + m_net.GetReplyLength()); }
    int Count(const std::string& text) const {
        const std::string all = m_log.Text();
        int n = 0;
        for (std::size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1)) ++n;
        return n;
    }
    static std::string RawUrl() { return "peer.test:" + std::to_string(s_raw->Port()); }

    static inline nettest::Peer* s_http = nullptr;
    static inline nettest::Peer* s_raw = nullptr;
    DebugCapture m_log;
    nettest::LoopbackNames m_names;
    CWNet m_net;
};

TEST_F(Client, FramesEqualThePythonReference) {
    nettest::HeadlessDevice device;
    Bytes deviceInfo(8);
    CArrayOutputStream info(1);
    info.Attach(deviceInfo.data(), 8);
    CWUtil::WriteDeviceInfo(info);
    struct Case {
        Bytes payload, extra;
        bool keep;
        std::int32_t field9, field10, field11;
    };
    const Case cases[] = {
        {{0x05}, {}, false, 0, 0, 0},
        {{0x05}, {}, true, 1, 0xFF, 0},  // flags 0x1D
        {{1, 2, 3, 0x80, 0xFF}, {9, 8, 7, 6}, false, 0, 0x08, 2},
        {Bytes(300, 0xC3), deviceInfo, true, 0, 0x10, 0},
    };
    for (const Case& c : cases) {
        WNetConfig config = nettest::Config();
        config.field9 = c.field9;
        config.field10 = c.field10;
        config.field11 = c.field11;
        m_net.SetConfig(config);
        ASSERT_EQ(Run(CWNet::kTransportHttp, s_http->Url("/echo"), c.payload, 0, c.extra, c.keep), 0);
        const Bytes frame = Reply();
        Process python(
            nettest::Python("wnet.py", {"frame",
                                        "0x1234,1,2,3,0x0506,7,0,0,0," + std::to_string(c.field9) + "," +
                                            std::to_string(c.field10) + "," + std::to_string(c.field11),
                                        nettest::kKeyText, "88", Hex(c.payload), Hex(c.extra), c.keep ? "1" : "0"}));
        ASSERT_EQ(python.Wait(), 0);
        EXPECT_EQ(Hex(frame) + "\n", python.Output());
        EXPECT_EQ(frame.size(), 18 + c.extra.size() + c.payload.size());
        EXPECT_EQ(frame[1], (18 + c.extra.size()) / 2);
        EXPECT_TRUE(std::equal(c.payload.begin(), c.payload.end(), frame.begin() + 18 + c.extra.size()));
        if (c.field9 == 1) {
            EXPECT_EQ(frame[17], 0x1D);
        }
    }
    EXPECT_EQ(Count("HTTPT: Successfully initiated request"), 4);
}

TEST_F(Client, RepliesChecksAndRetriesOverBothTransports) {
    struct Case {
        const char* path;  // HTTP
        Bytes rawPayload;  // answer, pieces, reply id
        std::int32_t expected;
        std::int32_t result;
        const char* line;
        int connects;
    };
    const Case cases[] = {
        {"/reply/10", {4, 0, 0x10}, 0x10, 0, "WNET: Request successful, got 0x10", 1},
        {"/reply/33", {4, 0, 0x33}, 0, 0, "WNET: Request successful, got 0x33", 1},
        {"/reply/f0", {4, 0, 0xF0}, 0x10, 7, "WNET: App error: 0xf0", 1},
        {"/reply/10", {4, 0, 0x10}, 0x20, 5, "WNET: Expecting 0x20, got 0x10", 1},
        {"/silent", {5, 0, 0}, 0, 243, "WNET: complete (0xf3)", 1},  // never tried again
        {"/close-once", {6, 0, 0x10}, 0x10, 0, "WNET: net error occurred (0xf2), retrying request...", 2},
    };
    for (const std::int32_t transport : {CWNet::kTransportHttp, 2}) {
        for (const Case& c : cases) {
            m_log.Clear();
            const bool http = transport == CWNet::kTransportHttp;
            const bool silent = c.result == 243;
            m_net.SetConfig(nettest::Config(silent ? 300 : 0));
            const std::int32_t result = Run(transport, http ? s_http->Url(c.path) : RawUrl(),
                                            http ? Bytes{0x05} : c.rawPayload, c.expected, {}, false, silent ? 50 : 1);
            EXPECT_EQ(result, c.result) << c.path << " " << transport;
            EXPECT_EQ(Count(c.line), 1) << c.path << " " << transport;
            EXPECT_EQ(Count("SOCKET: connect requested"), c.connects) << c.path << " " << transport;
            if (c.result == 0) {
                EXPECT_EQ(Reply(), (Bytes{1, 2, 0, 2, c.rawPayload[2], 0}));
                EXPECT_EQ(m_net.GetReplyId(), c.rawPayload[2]);
            }
        }
    }
    m_log.Clear();
    EXPECT_EQ(Run(2, RawUrl(), {1}), 5);  // a 4-byte reply is too short
}

TEST_F(Client, RefusedConnectionIsTriedThreeTimes) {
    LoopbackServer refusing({.greeting = {}, .refuse = true});
    for (const std::int32_t transport : {CWNet::kTransportHttp, 2}) {
        m_log.Clear();
        EXPECT_EQ(Run(transport, "http://peer.test:" + std::to_string(refusing.Port()) + "/x", {0x05}), 246);
        EXPECT_EQ(Count("SOCKET: connect requested"), 3);
        EXPECT_EQ(Count("WNET: net error occurred (0xf6), retrying request..."), 2);
        EXPECT_EQ(m_net.GetResult(), 246);
    }
}

TEST_F(Client, BusyTemplatesAndBadArguments) {
    const Bytes payload = {0x05};
    const std::string url = s_http->Url("/reply/10");
    ASSERT_EQ(m_net.SendRequest(1, 88, 0x10, url.c_str(), false, 0, false, 3, nullptr, 0, payload.data(), 1), 0);
    EXPECT_EQ(m_net.GetResult(), -1);
    EXPECT_EQ(m_net.SendRequest(1, 88, 0x20, url.c_str(), false, 0, false, 3, nullptr, 0, payload.data(), 1), -1);
    nettest::RunToEnd(m_net);
    EXPECT_EQ(m_net.GetResult(), 0);  // the first request, untouched

    std::vector<std::string> asked;
    host::SetResolver(
        [&](const std::string& name, host::HostAnswer* answer) {
            asked.push_back(name);
            *answer = {name, {{127, 0, 0, 1}}};
            return true;
        },
        nullptr);
    const std::string tail = ":" + std::to_string(s_http->Port()) + "/reply/10";
    struct Case {
        std::string url;
        std::uint8_t serverId;
        std::int32_t result;
        const char* host;
    };
    const Case cases[] = {
        {"http://s%d.test" + tail, 0, 0, "s1.test"},  // a server id is needed: 1
        {"http://s%03u.test" + tail, 7, 0, "s007.test"},
        {"http://s%s.test" + tail, 2, 1, nullptr},
        {"http://s%d%d.test" + tail, 2, 1, nullptr},
        {"http://s.test" + tail, 2, 1, nullptr},
        {"http://s%d.test/" + std::string(90, 'x'), 2, 1, nullptr},  // over 99 characters
    };
    for (const Case& c : cases) {
        asked.clear();
        m_log.Clear();
        const std::int32_t started =
            m_net.SendRequest(1, 88, 0, c.url.c_str(), true, c.serverId, false, 3, nullptr, 0, payload.data(), 1);
        EXPECT_EQ(started, c.result) << c.url;
        if (started != 0) continue;
        nettest::RunToEnd(m_net);
        EXPECT_EQ(m_net.GetResult(), 0) << c.url;
        EXPECT_EQ(asked, std::vector<std::string>{c.host}) << c.url;
        EXPECT_EQ(Count("Load balanced servers should always use a server ID!"), c.serverId == 0 ? 1 : 0);
    }

    const Bytes extra = {1, 2};
    const Bytes big(0x10000, 0);
    EXPECT_EQ(m_net.SendRequest(1, 88, 0, nullptr, false, 1, false, 3, nullptr, 0, payload.data(), 1), 1);
    EXPECT_EQ(m_net.SendRequest(1, 88, 0, url.c_str(), false, 1, false, 3, nullptr, 0, payload.data(), 0), 1);
    EXPECT_EQ(m_net.SendRequest(1, 88, 0, url.c_str(), false, 1, false, 3, extra.data(), 0, payload.data(), 1), 1);
    EXPECT_EQ(m_net.SendRequest(1, 88, 0, url.c_str(), false, 1, false, 3, nullptr, 2, payload.data(), 1), 1);
    EXPECT_EQ(m_net.SendRequest(1, 88, 0, url.c_str(), false, 1, false, 3, nullptr, 0, big.data(), 0x10000), 1);
    EXPECT_EQ(std::string(CWNet::GetVersionString()), "WNet Library Version: 1.2.1.0");
    EXPECT_EQ(CWNet::GetVersion(), 0x01010100u);
}

TEST(ClientDecodeString, Rows) {
    struct Case {
        Bytes blob;
        std::int32_t capacity;
        std::int32_t result;
        std::u16string text;
    };
    const Case cases[] = {
        {{0, 3, 'a', 0xC3, 0xA9}, 8, 0, u"a\u00e9"},
        {{0, 3, 'a', 'b', 'c'}, 3, 0, u"ab"},  // cut to the capacity
        {{0, 0}, 8, 0, u""},
        {{0, 4, 'a', 'b'}, 8, 5, u""},  // not 2 + n bytes: nothing decoded
        {{0, 1, 'a', 'b'}, 8, 5, u""},
        {{0}, 8, 5, u""},
        {{0, 1, 'a'}, 0, 1, u"?"},
    };
    for (const Case& c : cases) {
        Bytes blobBytes = c.blob;
        const NetBlob blob{static_cast<std::uint32_t>(blobBytes.size()), blobBytes.data()};
        char16_t buffer[8] = {u'?', 0};
        EXPECT_EQ(CWNet::DecodeString(blob, buffer, c.capacity), c.result) << (&c - cases);
        EXPECT_EQ(std::u16string(buffer), c.text) << (&c - cases);
    }
    char16_t buffer[4];
    EXPECT_EQ(CWNet::DecodeString(NetBlob{}, buffer, 4), 1);
}

}  // namespace
