// The HTTP transport against the Python peer (real sockets on 127.0.0.1),
// and over a scripted socket for replies no well-behaved server sends.
#include <gtest/gtest.h>

#include <memory>

#include "platform/shared/network/CHttpTransport.h"
#include "tests/net/NetTest.h"
#include "tests/support/FailingAlloc.h"
#include "tests/support/ScriptedSocket.h"
#include "tools/NetReplyWriter.h"

namespace {

using nettest::Bytes;

struct Outcome {
    std::int32_t result;
    Bytes body;
};

class HttpTransport : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_peer = new nettest::Peer("http_peer.py"); }
    static void TearDownTestSuite() {
        delete s_peer;
        s_peer = nullptr;
    }
    void TearDown() override { EXPECT_EQ(s_peer->Problems(), ""); }

    void Start(CHttpTransport& transport, const std::string& path, std::uint8_t keep = 0, std::int32_t timeout = 0) {
        ASSERT_EQ(transport.Start(nettest::Config(timeout), s_peer->Url(path).c_str(), m_frame.data(),
                                  static_cast<std::uint32_t>(m_frame.size()), keep),
                  0);
    }
    Outcome Exchange(CHttpTransport& transport, const std::string& path, std::uint8_t keep = 0) {
        Start(transport, path, keep);
        nettest::RunToEnd(transport);
        const std::uint8_t* data = transport.GetReplyData();
        return {transport.GetResult(), data != nullptr ? Bytes(data, data + transport.GetReplyLength()) : Bytes{}};
    }
    // The body Python's http.client decodes from the peer for the path.
    static Bytes PythonBody(const std::string& path) {
        TempDir dir;
        Process client(nettest::Python(
            "wnet.py", {"fetch", std::to_string(s_peer->Port()), path, dir.HostPath("body"), nettest::kKeyText}));
        EXPECT_EQ(client.Wait(), 0) << client.Output();
        const std::string body = dir.Read("body");
        return Bytes(body.begin(), body.end());
    }
    std::vector<std::string> LogLines(const char* tag) const {
        std::vector<std::string> lines;
        for (const std::string& line : m_log.Lines()) {
            if (line.starts_with(tag)) lines.push_back(line);
        }
        return lines;
    }

    static inline nettest::Peer* s_peer = nullptr;
    DebugCapture m_log;
    nettest::LoopbackNames m_names;
    const Bytes m_frame = nettest::Frame(88, {0x05});
};

TEST_F(HttpTransport, BodiesEqualWhatPythonsClientDecodes) {
    const char* paths[] = {"/len/0",       "/len/300",   "/len/102400", "/lower/700",
                           "/noreason/64", "/chunked/1", "/chunked/2",  "/chunked/3"};
    CHttpTransport transport;
    for (const char* path : paths) {
        const Outcome outcome = Exchange(transport, path);
        EXPECT_EQ(outcome.result, 0) << path;
        const Bytes expected = PythonBody(path);
        EXPECT_EQ(outcome.body.size(), expected.size()) << path;
        EXPECT_TRUE(outcome.body == expected) << path;
    }
}

TEST_F(HttpTransport, KeptConnectionUntilAnError) {
    CHttpTransport transport;
    const auto text = [](const Outcome& o) { return std::string(o.body.begin(), o.body.end()); };
    const std::string first = text(Exchange(transport, "/conn", 1));
    ASSERT_TRUE(first.starts_with("connection "));
    EXPECT_EQ(text(Exchange(transport, "/conn", 1)), first);  // the same connection
    EXPECT_EQ(Exchange(transport, "/status/404", 1).result, 4);
    const std::string after = text(Exchange(transport, "/conn", 1));
    EXPECT_EQ(std::stoi(after.substr(11)), std::stoi(first.substr(11)) + 1);  // closed after the failure
    EXPECT_NE(text(Exchange(transport, "/conn", 0)), text(Exchange(transport, "/conn", 0)));
}

TEST_F(HttpTransport, FailuresAndTheirLog) {
    struct Case {
        const char* path;
        std::int32_t result;
    };
    const Case cases[] = {{"/status/404", 4}, {"/close-header", 242}, {"/close-body", 242}};
    CHttpTransport transport;
    for (const Case& c : cases) {
        const Outcome outcome = Exchange(transport, c.path, 1);
        EXPECT_EQ(outcome.result, c.result) << c.path;
    }
    m_log.Clear();
    Exchange(transport, "/len/3");
    const std::vector<std::string> good = {
        "HTTPT: Successfully initiated request",
        "HTTPT: Parse header - found HTTP response code: 200",
        "HTTPT: Parse HTTP header - found content length: 3",
        "HTTPT: Receive response - complete",
        "HTTPT: complete (0x0000, 0x0000)",
    };
    EXPECT_EQ(LogLines("HTTPT:"), good);
    m_log.Clear();
    Exchange(transport, "/status/404");
    char error[80], complete[40];
    std::snprintf(error, sizeof error, "HTTPT: error (0x0004, 0x%04x) occured in state (0x0006)",
                  transport.GetSocketError());
    std::snprintf(complete, sizeof complete, "HTTPT: complete (0x0004, 0x%04x)", transport.GetSocketError());
    const std::vector<std::string> failing = {
        "HTTPT: Successfully initiated request",
        "HTTPT: Parse header - found HTTP response code: 404",
        "HTTPT: Parse HTTP header - found content length: 7",
        "HTTPT: Receive response - request failed, ignoring response data",
        error,
        complete,
    };
    EXPECT_EQ(LogLines("HTTPT:"), failing);
}

TEST_F(HttpTransport, SilenceTimesOutByTheUpdatesTime) {
    for (const std::int32_t timeout : {500, 0}) {
        CHttpTransport transport;
        Start(transport, "/silent", 0, timeout);
        for (int i = 0; i < 10000 && transport.GetProgress(nullptr) != 4; ++i) {
            transport.Update(0);
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        ASSERT_EQ(transport.GetProgress(nullptr), 4);  // the request is out, the reply awaited
        transport.Update(499);
        EXPECT_TRUE(transport.IsBusy());
        transport.Update(1);
        transport.Update(100000);
        if (timeout == 0) {
            EXPECT_TRUE(transport.IsBusy());  // 0: never
            transport.Cancel();
            EXPECT_FALSE(transport.IsBusy());
        } else {
            EXPECT_EQ(transport.GetResult(), 243);
        }
    }
}

TEST_F(HttpTransport, ProgressByState) {
    CHttpTransport transport;
    Start(transport, "/len/102400");
    std::vector<std::pair<std::int32_t, std::int32_t>> seen;
    const auto look = [&] {
        std::int32_t percent = -1;
        const std::int32_t phase = transport.GetProgress(&percent);
        if (seen.empty() || seen.back() != std::pair(phase, percent)) seen.emplace_back(phase, percent);
    };
    look();
    nettest::RunToEnd(transport, 1, look);
    ASSERT_GE(seen.size(), 6u);
    std::vector<std::int32_t> phases;
    for (const auto& [phase, percent] : seen) {
        if (phases.empty() || phases.back() != phase) phases.push_back(phase);
        EXPECT_TRUE(phase == 4 || percent == (phase == 5 ? 100 : 0)) << phase << " " << percent;
    }
    EXPECT_EQ(phases, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 0}));
    std::int32_t last = 0, between = 0;
    for (const auto& [phase, percent] : seen) {
        if (phase != 4) continue;
        EXPECT_GE(percent, last);
        last = percent;
        between += percent > 0 && percent < 100;
    }
    EXPECT_GT(between, 0);
}

// Replies over a scripted socket: each row's reply, the piece sizes it
// arrives in, and the result and body expected.
TEST(HttpTransportScripted, Replies) {
    using vktools::MakeHttpReply;
    const Bytes big(600, 0x5A);
    const std::string longLine(600, 'x');
    struct Case {
        std::string name;
        Bytes reply;
        std::vector<std::uint32_t> pieces;
        std::int32_t result;
        Bytes body;
        int failAlloc = -1;
    };
    const auto text = [](const std::string& s) { return Bytes(s.begin(), s.end()); };
    const Case cases[] = {
        {"600-byte chunk", MakeHttpReply(200, big, {600}), {}, 0, big},
        {"600-byte chunk in pieces", MakeHttpReply(200, big, {600}), {7, 1, 300}, 0, big},
        {"chunks of 1 and 200", MakeHttpReply(200, big, {1, 200}), {5}, 0, big},
        {"size line over the buffer",
         text("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1;" + longLine),
         {},
         5,
         {}},
        {"header line over the buffer", text("HTTP/1.1 200 OK\r\nX: " + longLine + "\r\n\r\n"), {}, 5, {}},
        {"header split everywhere", MakeHttpReply(200, {1, 2, 3}, {}, {"Server: x"}), {1}, 0, {1, 2, 3}},
        {"content length over 16 MiB", text("HTTP/1.1 200 OK\r\nContent-Length: 16777217\r\n\r\n"), {}, 5, {}},
        {"content length not digits", text("HTTP/1.1 200 OK\r\nContent-Length: 12abc\r\n\r\n"), {}, 5, {}},
        {"content length empty", text("HTTP/1.1 200 OK\r\nContent-Length:\r\n\r\n"), {}, 5, {}},
        {"chunk over 16 MiB", text("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nFFFFFFFF\r\nab"), {}, 5, {}},
        {"chunk of nine digits",
         text("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n100000001\r\nab"),
         {},
         5,
         {}},
        {"empty chunk line", text("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n\r\n"), {}, 5, {}},
        {"lower case, no blank", text("HTTP/1.1 200 OK\r\ncontent-length:3\r\n\r\nabcdef"), {}, 0, text("abc")},
        {"upper case chunked",
         text("HTTP/1.1 200 OK\r\nTRANSFER-ENCODING:  Chunked \r\n\r\n1A\r\n" + std::string(26, 'q') + "\r\n0\r\n\r\n"),
         {},
         0,
         text(std::string(26, 'q'))},
        {"length first wins",
         text("HTTP/1.1 200 OK\r\nContent-Length: 2\r\nTransfer-Encoding: chunked\r\n\r\nab"),
         {},
         0,
         text("ab")},
        {"chunked first wins",
         text("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nContent-Length: 9\r\n\r\n2\r\nab\r\n0\r\n\r\n"),
         {},
         0,
         text("ab")},
        {"neither: empty body", text("HTTP/1.1 200 OK\r\nServer: x\r\n\r\nabc"), {}, 0, {}},
        {"no status", text("HTTP/1.1 OK\r\n\r\n"), {}, 5, {}},
        {"no reply buffer", MakeHttpReply(200, {1, 2}), {}, 2, {}, 0},
        {"no chunk", MakeHttpReply(200, {1, 2}, {2}), {}, 2, {}, 0},
        {"no assembled reply", MakeHttpReply(200, {1, 2}, {2}), {}, 2, {}, 1},
    };
    DebugCapture log;
    for (const Case& c : cases) {
        auto* socket = new ScriptedSocket(c.reply, c.pieces);
        CHttpTransport transport(socket);
        const Bytes frame = {1, 2, 3};
        ASSERT_EQ(transport.Start(nettest::Config(), "s.test", frame.data(), 3, 1), 0);
        FailNthNothrowNew(c.failAlloc);
        for (int i = 0; i < 100000 && transport.IsBusy(); ++i) transport.Update(1);
        FailNthNothrowNew(-1);
        EXPECT_EQ(transport.GetResult(), c.result) << c.name;
        if (c.result == 0) {
            const std::uint8_t* data = transport.GetReplyData();
            EXPECT_EQ(data != nullptr ? Bytes(data, data + transport.GetReplyLength()) : Bytes{}, c.body) << c.name;
        }
        EXPECT_EQ(socket->Connected(), c.result == 0) << c.name;  // kept only after a success
        const std::string sent(socket->Sent().begin(), socket->Sent().end());
        EXPECT_TRUE(sent.starts_with("POST / HTTP/1.1\r\nHost: s.test:80\r\n")) << sent;  // never "POST  HTTP/1.1"
    }
}

}  // namespace
