// The request client over both transports against the Python peers: the
// frames it builds (against the Python reference), the reply checks, the
// retries and the URL templates.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "platform/shared/network/CWNet.h"
#include "tests/net/NetTest.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/ScriptedSocket.h"
#include "tools/NetReplyWriter.h"

namespace {

using nettest::Bytes;

std::string Hex(const Bytes& bytes) {
    std::ostringstream out;
    for (std::uint8_t b : bytes) out << "0123456789abcdef"[b >> 4] << "0123456789abcdef"[b & 15];
    return bytes.empty() ? "-" : out.str();
}

class Client : public ::testing::Test {
protected:
    void SetUp() override { m_net.SetConfig(nettest::Config()); }
    void TearDown() override { EXPECT_EQ(nettest::HttpPeer().Problems() + nettest::RawPeer().Problems(), ""); }

    // Sends message 88 with the payload (a template URL when a server id is
    // given); the start's result, or the request's once polled to its end.
    std::int32_t Run(std::int32_t transport, const std::string& url, const Bytes& payload, std::int32_t expected = 0,
                     const Bytes& extra = {}, bool keep = false, std::uint32_t dt = 1, int serverId = -1) {
        // An exactly sized copy: a read past the URL's end shows under ASan.
        const std::vector<char> text(url.c_str(), url.c_str() + url.size() + 1);
        const std::int32_t started = m_net.SendRequest(
            transport, 88, expected, text.data(), serverId >= 0, static_cast<std::uint8_t>(serverId), keep, 3,
            extra.empty() ? nullptr : extra.data(), static_cast<std::uint32_t>(extra.size()), payload.data(),
            static_cast<std::uint32_t>(payload.size()));
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

    DebugCapture m_log;
    nettest::LoopbackNames m_names;
    CWNet m_net;
    const std::string m_rawUrl = "peer.test:" + std::to_string(nettest::RawPeer().Port());
};

TEST_F(Client, FramesEqualThePythonReference) {
    nettest::HeadlessDevice device;
    const Bytes deviceInfo = nettest::DeviceInfo();
    // {payload, extra header, keep, fields 9-11}: keep, 1 and 0xFF give flags 0x1D.
    const std::tuple<Bytes, Bytes, bool, std::int32_t, std::int32_t, std::int32_t> cases[] = {
        {{0x05}, {}, false, 0, 0, 0},
        {{0x05}, {}, true, 1, 0xFF, 0},
        {{1, 2, 3, 0x80, 0xFF}, {9, 8, 7, 6}, false, 0, 0x08, 2},
        {Bytes(300, 0xC3), deviceInfo, true, 0, 0x10, 0},
    };
    for (const auto& [payload, extra, keep, field9, field10, field11] : cases) {
        WNetConfig config = nettest::Config();
        config.field9 = field9;
        config.field10 = field10;
        config.field11 = field11;
        m_net.SetConfig(config);
        ASSERT_EQ(Run(CWNet::kTransportHttp, nettest::HttpPeer().Url("/echo"), payload, 0, extra, keep), 0);
        const Bytes frame = Reply();
        const std::string fields = "0x1234,1,2,3,0x0506,7,0,0,0," + std::to_string(field9) + "," + std::to_string(field10) +
                                   "," + std::to_string(field11);
        Process python(nettest::Python("wnet.py", {"frame", fields, nettest::kKeyText, "88", Hex(payload), Hex(extra),
                                                   keep ? "1" : "0"}));
        ASSERT_EQ(python.Wait(), 0);
        EXPECT_EQ(Hex(frame) + "\n", python.Output());
        EXPECT_EQ(frame[1], (18 + extra.size()) / 2);
        EXPECT_TRUE(std::equal(payload.begin(), payload.end(), frame.begin() + 18 + static_cast<long>(extra.size())));
        EXPECT_EQ(frame[17] == 0x1D, field9 == 1);
    }
}

TEST_F(Client, RepliesChecksAndRetriesOverBothTransports) {
    // {HTTP path; the raw peer's answer, pieces and reply id; the id
    // expected; result; a line logged once; connections made}
    const std::tuple<const char*, Bytes, std::int32_t, std::int32_t, const char*, int> cases[] = {
        {"/reply/10", {4, 0, 0x10}, 0x10, 0, "WNET: Request successful, got 0x10", 1},
        {"/reply/33", {4, 0, 0x33}, 0, 0, "WNET: Request successful, got 0x33", 1},
        {"/reply/f0", {4, 0, 0xF0}, 0x10, 7, "WNET: App error: 0xf0", 1},
        {"/reply/10", {4, 0, 0x10}, 0x20, 5, "WNET: Expecting 0x20, got 0x10", 1},
        {"/silent", {5, 0, 0}, 0, 243, "WNET: complete (0xf3)", 1},  // never tried again
        {"/close-once", {6, 0, 0x10}, 0x10, 0, "WNET: net error occurred (0xf2), retrying request...", 2},
    };
    LoopbackServer refusing({.greeting = {}, .refuse = true});
    for (const std::int32_t transport : {CWNet::kTransportHttp, 2}) {
        const bool http = transport == CWNet::kTransportHttp;
        for (const auto& [path, raw, expected, result, line, connects] : cases) {
            m_log.Clear();
            m_net.SetConfig(nettest::Config(result == 243 ? 300 : 0));
            EXPECT_EQ(Run(transport, http ? nettest::HttpPeer().Url(path) : m_rawUrl, http ? Bytes{0x05} : raw, expected,
                          {}, false, result == 243 ? 50 : 1), result) << path << " " << transport;
            EXPECT_EQ(Count(line), 1) << path << " " << transport;
            EXPECT_EQ(Count("SOCKET: connect requested"), connects) << path << " " << transport;
            if (result == 0) {
                EXPECT_EQ(Reply(), (Bytes{1, 2, 0, 2, raw[2], 0}));
                EXPECT_EQ(m_net.GetReplyId(), raw[2]);
            }
        }
        // A refused port: three connects, two retries.
        m_log.Clear();
        m_net.SetConfig(nettest::Config());
        EXPECT_EQ(Run(transport, "http://peer.test:" + std::to_string(refusing.Port()) + "/x", {0x05}), 246);
        EXPECT_EQ(Count("SOCKET: connect requested"), 3);
        EXPECT_EQ(Count("WNET: net error occurred (0xf6), retrying request..."), 2);
    }
    EXPECT_EQ(Run(2, m_rawUrl, {1}), 5);  // a 4-byte reply is too short
}

TEST_F(Client, BusyTemplatesAndBadArguments) {
    const std::string url = nettest::HttpPeer().Url("/reply/10");
    const std::uint8_t payload[] = {0x05};
    ASSERT_EQ(m_net.SendRequest(1, 88, 0x10, url.c_str(), false, 0, false, 3, nullptr, 0, payload, 1), 0);
    EXPECT_EQ(m_net.GetResult(), -1);
    EXPECT_EQ(Run(1, url, {0x05}, 0x20), -1);
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
    const std::string port = ":" + std::to_string(nettest::HttpPeer().Port()), tail = port + "/reply/10";
    // {template, server id, result, the host asked for}
    const std::tuple<std::string, int, std::int32_t, const char*> cases[] = {
        {"http://s%d.test" + tail, 0, 0, "s1.test"},  // a server id is needed: 1
        {"http://s%03u.test" + tail, 7, 0, "s007.test"},
        {"http://s%.4d.test" + tail, 7, 0, "s0007.test"},
        {"http://s.test" + port + "/reply/1%.d", 2, 0, "s.test"},  // the path /reply/12
        {"http://s%s.test" + tail, 2, 1, nullptr},
        {"http://s%d%d.test" + tail, 2, 1, nullptr},
        {"http://s.test" + tail, 2, 1, nullptr},
        {"http://s%d.test/" + std::string(90, 'x'), 2, 1, nullptr},  // over 99 characters
    };
    for (const auto& [templ, serverId, result, host] : cases) {
        asked.clear();
        m_log.Clear();
        EXPECT_EQ(Run(1, templ, {0x05}, 0, {}, false, 1, serverId), result) << templ;
        EXPECT_EQ(asked, host != nullptr ? std::vector<std::string>{host} : std::vector<std::string>{}) << templ;
        EXPECT_EQ(Count("Load balanced servers should always use a server ID!"), serverId == 0 ? 1 : 0);
    }
    const std::uint8_t extra[] = {1, 2};
    const Bytes big(0x10000, 0);
    EXPECT_EQ(m_net.SendRequest(1, 88, 0, nullptr, false, 1, false, 3, nullptr, 0, payload, 1), 1);
    EXPECT_EQ(m_net.SendRequest(1, 88, 0, url.c_str(), false, 1, false, 3, nullptr, 0, payload, 0), 1);
    EXPECT_EQ(m_net.SendRequest(1, 88, 0, url.c_str(), false, 1, false, 3, extra, 0, payload, 1), 1);
    EXPECT_EQ(m_net.SendRequest(1, 88, 0, url.c_str(), false, 1, false, 3, nullptr, 2, payload, 1), 1);
    EXPECT_EQ(m_net.SendRequest(1, 88, 0, url.c_str(), false, 1, false, 3, nullptr, 0, big.data(), 0x10000), 1);
    EXPECT_EQ(std::string(CWNet::GetVersionString()), "WNet Library Version: 1.2.1.0");
    EXPECT_EQ(CWNet::GetVersion(), 0x01010100u);
}

// A transport that cannot start (a port of 0 or one past 65535) ends the
// request at once with its result: nothing connects, nothing is retried,
// and the next request starts.
TEST_F(Client, ATransportThatCannotStartEndsTheRequest) {
    for (const std::int32_t transport : {CWNet::kTransportHttp, 2}) {
        for (const char* url : {"http://peer.test:0/x", "peer.test:65536"}) {
            m_log.Clear();
            EXPECT_EQ(Run(transport, url, {0x05}), 1) << url << " " << transport;
            EXPECT_FALSE(m_net.IsBusy());
            EXPECT_EQ(m_net.GetResult(), 1);
            m_net.Update(1);
            EXPECT_EQ(Count("SOCKET: connect requested") + Count("retrying"), 0) << m_log.Text();
        }
        const bool http = transport == CWNet::kTransportHttp;
        EXPECT_EQ(Run(transport, http ? nettest::HttpPeer().Url("/reply/10") : m_rawUrl, {4, 0, 0x10}), 0);
    }
}

// The client reports the progress of the transport of its request: the
// raw transport's phases (the 23-byte reply coming in pieces of 4, 5, 5
// and 9 bytes), and the HTTP transport's.
TEST(ClientProgress, FollowsTheActiveTransport) {
    DebugCapture quiet;
    using Seen = std::vector<std::pair<std::int32_t, std::int32_t>>;
    const Bytes raw = vktools::MakeRawReply(0x10, {1, 2, 3, 4, 5});
    const Bytes http = vktools::MakeHttpReply(200, raw);
    const std::uint8_t payload[] = {0x05};
    for (const std::int32_t transport : {2, CWNet::kTransportHttp}) {
        CWNet net(new ScriptedSocket(raw, {4, 5, 5, 9}), new ScriptedSocket(http, {}));
        net.SetConfig(nettest::Config());
        std::int32_t percent = -1;
        EXPECT_EQ(net.GetProgress(&percent), 0);
        ASSERT_EQ(net.SendRequest(transport, 88, 0, "s.test:9", false, 0, false, 1, nullptr, 0, payload, 1), 0);
        Seen seen;
        const auto look = [&] {
            const std::int32_t phase = net.GetProgress(&percent);
            if (seen.empty() || seen.back() != std::pair(phase, percent)) seen.emplace_back(phase, percent);
        };
        look();
        nettest::RunToEnd(net, 1, look);
        EXPECT_EQ(net.GetResult(), 0);
        if (transport == 2) {
            // The header read, then what the body's pieces bring of 23 bytes.
            EXPECT_EQ(seen, (Seen{{1, 0}, {2, 0}, {3, 0}, {4, 0}, {4, 17}, {4, 39}, {4, 60}, {5, 100}, {0, 0}}));
        } else {
            std::vector<std::int32_t> phases;
            for (const auto& [phase, value] : seen) {
                if (phases.empty() || phases.back() != phase) phases.push_back(phase);
            }
            EXPECT_EQ(phases, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 0}));
        }
    }
}

TEST(ClientDecodeString, Rows) {
    // {blob, capacity, result, text}
    const std::tuple<Bytes, std::int32_t, std::int32_t, std::u16string> cases[] = {
        {{0, 3, 'a', 0xC3, 0xA9}, 8, 0, u"a\u00e9"},
        {{0, 3, 'a', 'b', 'c'}, 3, 0, u"ab"},  // cut to the capacity
        {{0, 0}, 8, 0, u""},
        {{0, 4, 'a', 'b'}, 8, 5, u""},  // not 2 + n bytes: nothing decoded
        {{0, 1, 'a', 'b'}, 8, 5, u""},
        {{0}, 8, 5, u""},
        {{0, 1, 'a'}, 0, 1, u"?"},
        {{}, 4, 1, u"?"},
    };
    for (const auto& [bytes, capacity, result, text] : cases) {
        Bytes copy = bytes;
        const NetBlob blob{static_cast<std::uint32_t>(copy.size()), copy.empty() ? nullptr : copy.data()};
        char16_t buffer[8] = {u'?', 0};
        EXPECT_EQ(CWNet::DecodeString(blob, buffer, capacity), result) << testing::PrintToString(bytes);
        EXPECT_EQ(std::u16string(buffer), text) << testing::PrintToString(bytes);
    }
}

}  // namespace
