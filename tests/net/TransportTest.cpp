// The HTTP and raw-socket transports against the Python peers and nginx
// (real sockets on 127.0.0.1), and over a scripted socket for replies no
// well-behaved server sends.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>

#include "platform/shared/network/CHttpTransport.h"
#include "platform/shared/network/CSwpTransport.h"
#include "platform/shared/network/highscore/CNetHighscore.h"
#include "tests/net/NetTest.h"
#include "tests/support/FailingAlloc.h"
#include "tests/support/ScriptedSocket.h"
#include "tools/NetReplyWriter.h"

namespace {

using nettest::Bytes;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }
Bytes Reply(const CNetTransport& transport) {
    const std::uint8_t* data = transport.GetReplyData();
    return data != nullptr ? Bytes(data, data + transport.GetReplyLength()) : Bytes{};
}

class Transport : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(nettest::HttpPeer().Problems() + nettest::RawPeer().Problems(), ""); }

    // Sends the frame to the URL, polls to the end; the result.
    std::int32_t Exchange(CNetTransport& transport, const std::string& url, const Bytes& frame, std::uint8_t keep = 0) {
        const auto size = static_cast<std::uint32_t>(frame.size());
        EXPECT_EQ(transport.Start(nettest::Config(), url.c_str(), frame.data(), size, keep), 0);
        nettest::RunToEnd(transport);
        return transport.GetResult();
    }
    std::int32_t Http(const std::string& path, std::uint8_t keep = 0) {
        return Exchange(m_http, nettest::HttpPeer().Url(path), m_frame, keep);
    }
    // Payload byte 0 picks the raw peer's answer, byte 1 how it splits it.
    std::int32_t Raw(std::uint8_t answer, std::uint8_t pieces, std::uint8_t keep = 0) {
        const std::string url = "peer.test:" + std::to_string(nettest::RawPeer().Port());
        return Exchange(m_raw, url, nettest::Frame(90, {answer, pieces}), keep);
    }
    std::vector<std::string> HttpLog() {
        std::vector<std::string> lines;
        for (const std::string& line : m_log.Lines()) {
            if (line.starts_with("HTTPT:")) lines.push_back(line);
        }
        m_log.Clear();
        return lines;
    }

    DebugCapture m_log;
    nettest::LoopbackNames m_names;
    const Bytes m_frame = nettest::Frame(88, {0x05});
    CHttpTransport m_http;
    CSwpTransport m_raw;
};

TEST_F(Transport, HttpBodiesEqualWhatPythonsClientDecodes) {
    for (const char* path : {"/len/0", "/len/300", "/len/102400", "/lower/700", "/noreason/64", "/chunked/1",
                             "/chunked/2", "/chunked/3"}) {
        EXPECT_EQ(Http(path), 0) << path;
        TempDir dir;
        Process client(nettest::Python("wnet.py", {"fetch", std::to_string(nettest::HttpPeer().Port()), path,
                                                   dir.HostPath("body"), nettest::kKeyText}));
        EXPECT_EQ(client.Wait(), 0) << client.Output();
        EXPECT_TRUE(Reply(m_http) == Text(dir.Read("body"))) << path << ": " << m_http.GetReplyLength() << " bytes";
    }
}

TEST_F(Transport, HttpKeepsItsConnectionUntilAnErrorAndLogs) {
    const auto connection = [&](std::uint8_t keep) {
        EXPECT_EQ(Http("/conn", keep), 0);
        const Bytes body = Reply(m_http);
        return std::stoi(std::string(body.begin() + 11, body.end()));  // "connection N"
    };
    const int first = connection(1);
    EXPECT_EQ(connection(1), first);  // the same connection
    EXPECT_EQ(Http("/status/404", 1), 4);
    EXPECT_EQ(connection(1), first + 1);  // closed after the failure
    EXPECT_EQ(connection(0), first + 1);
    EXPECT_EQ(connection(0), first + 2);
    EXPECT_EQ(Http("/close-header", 1), 242);
    EXPECT_EQ(Http("/close-body", 1), 242);
    m_log.Clear();
    Http("/len/3");
    EXPECT_EQ(HttpLog(), (std::vector<std::string>{
                             "HTTPT: Successfully initiated request", "HTTPT: Parse header - found HTTP response code: 200",
                             "HTTPT: Parse HTTP header - found content length: 3", "HTTPT: Receive response - complete",
                             "HTTPT: complete (0x0000, 0x0000)"}));
    Http("/status/404");
    char error[80], complete[40];
    std::snprintf(error, sizeof error, "HTTPT: error (0x0004, 0x%04x) occured in state (0x0006)", m_http.GetSocketError());
    std::snprintf(complete, sizeof complete, "HTTPT: complete (0x0004, 0x%04x)", m_http.GetSocketError());
    EXPECT_EQ(HttpLog(), (std::vector<std::string>{
                             "HTTPT: Successfully initiated request", "HTTPT: Parse header - found HTTP response code: 404",
                             "HTTPT: Parse HTTP header - found content length: 7",
                             "HTTPT: Receive response - request failed, ignoring response data", error, complete}));
}

TEST_F(Transport, HttpSilenceTimesOutByTheUpdatesTime) {
    for (const std::int32_t timeout : {500, 0}) {
        CHttpTransport transport;
        const std::string url = nettest::HttpPeer().Url("/silent");
        ASSERT_EQ(transport.Start(nettest::Config(timeout), url.c_str(), m_frame.data(), 19, 0), 0);
        for (int i = 0; i < 10000 && transport.GetProgress(nullptr) != 4; ++i) {
            transport.Update(0);
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        ASSERT_EQ(transport.GetProgress(nullptr), 4);  // the request is out, the reply awaited
        transport.Update(499);
        EXPECT_TRUE(transport.IsBusy());
        transport.Update(1);
        transport.Update(100000);
        EXPECT_EQ(transport.GetResult(), timeout == 0 ? -1 : 243);  // 0: never
    }
}

TEST_F(Transport, HttpProgressByState) {
    const std::string url = nettest::HttpPeer().Url("/len/102400");
    ASSERT_EQ(m_http.Start(nettest::Config(), url.c_str(), m_frame.data(), 19, 0), 0);
    std::vector<std::pair<std::int32_t, std::int32_t>> seen;
    const auto look = [&] {
        std::int32_t percent = -1;
        const std::int32_t phase = m_http.GetProgress(&percent);
        if (seen.empty() || seen.back() != std::pair(phase, percent)) seen.emplace_back(phase, percent);
    };
    look();
    nettest::RunToEnd(m_http, 1, look);
    std::vector<std::int32_t> phases;
    std::int32_t last = 0, between = 0;
    for (const auto& [phase, percent] : seen) {
        if (phases.empty() || phases.back() != phase) phases.push_back(phase);
        EXPECT_TRUE(phase == 4 || percent == (phase == 5 ? 100 : 0)) << phase << " " << percent;
        if (phase != 4) continue;
        EXPECT_GE(percent, last);
        last = percent;
        between += percent > 0 && percent < 100;
    }
    EXPECT_EQ(phases, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 0}));
    EXPECT_GT(between, 0);
}

TEST_F(Transport, RawRepliesInPiecesAndAKeptConnection) {
    Bytes full = {0x01, 0x09, 0x00, 0x05, 0x10};  // 18 + 5 bytes in all
    for (std::uint8_t b = 5; b < 18; ++b) full.push_back(b);
    for (std::uint8_t b = 0xA0; b < 0xA5; ++b) full.push_back(b);
    // {answer, pieces: at once, single bytes, the header as 1 + 3; result, reply}
    const std::tuple<std::uint8_t, std::uint8_t, std::int32_t, Bytes> cases[] = {
        {0, 0, 0, full}, {0, 1, 0, full}, {0, 2, 0, full}, {1, 0, 0, {0x01, 0x02, 0x00, 0x00}}, {2, 0, 242, {}}};
    for (const auto& [answer, pieces, result, reply] : cases) {
        EXPECT_EQ(Raw(answer, pieces), result) << int(answer) << int(pieces);
        EXPECT_EQ(result == 0 ? Reply(m_raw) : Bytes{}, reply) << int(answer) << int(pieces);
        if (pieces == 2) {  // the header did arrive as 1 + 3
            EXPECT_NE(m_log.Text().find("SOCKET: Receive - received 1/4 bytes"), std::string::npos);
        }
        m_log.Clear();
    }
    ASSERT_EQ(Raw(3, 0, 1), 0);
    const std::uint8_t first = Reply(m_raw).back();  // the connection's number
    ASSERT_EQ(Raw(3, 0, 0), 0);
    EXPECT_EQ(Reply(m_raw).back(), first);  // the kept connection
    ASSERT_EQ(Raw(3, 0, 0), 0);
    EXPECT_EQ(Reply(m_raw).back(), first + 1);  // closed after the last one
}

// Replies over a scripted socket: each row's transport, reply, the piece
// sizes it arrives in, and the result and body expected.
TEST(TransportScripted, Replies) {
    using vktools::MakeHttpReply;
    const Bytes big(600, 0x5A);
    const std::string longLine(600, 'x');
    const std::string ok = "HTTP/1.1 200 OK\r\n";
    const std::string chunked = ok + "Transfer-Encoding: chunked\r\n\r\n";
    const Bytes raw = vktools::MakeRawReply(0x21, {1, 2, 3});
    const struct {
        const char* name;
        bool http;
        Bytes reply;
        std::vector<std::uint32_t> pieces;
        std::int32_t result;
        Bytes body;
        int failAlloc = -1;
    } cases[] = {
        {"600-byte chunk in pieces", true, MakeHttpReply(200, big, {600}), {7, 1, 300}, 0, big},
        {"chunks of 1 and 200", true, MakeHttpReply(200, big, {1, 200}), {5}, 0, big},
        {"size line over the buffer", true, Text(chunked + "1;" + longLine), {}, 5, {}},
        {"header line over the buffer", true, Text(ok + "X: " + longLine + "\r\n\r\n"), {}, 5, {}},
        {"header split everywhere", true, MakeHttpReply(200, {1, 2, 3}, {}, {"Server: x"}), {1}, 0, {1, 2, 3}},
        {"content length over 16 MiB", true, Text(ok + "Content-Length: 16777217\r\n\r\n"), {}, 5, {}},
        {"content length not digits", true, Text(ok + "Content-Length: 12abc\r\n\r\n"), {}, 5, {}},
        {"content length empty", true, Text(ok + "Content-Length:\r\n\r\n"), {}, 5, {}},
        {"chunk over 16 MiB", true, Text(chunked + "FFFFFFFF\r\nab"), {}, 5, {}},
        {"chunk of nine digits", true, Text(chunked + "100000001\r\nab"), {}, 5, {}},
        {"empty chunk line", true, Text(chunked + "\r\n"), {}, 5, {}},
        {"lower case, no blank", true, Text(ok + "content-length:3\r\n\r\nabcdef"), {}, 0, Text("abc")},
        {"upper case chunked", true,
         Text(ok + "TRANSFER-ENCODING:  Chunked \r\n\r\n1A\r\n" + std::string(26, 'q') + "\r\n0\r\n\r\n"), {}, 0,
         Text(std::string(26, 'q'))},
        {"length first wins", true, Text(ok + "Content-Length: 2\r\nTransfer-Encoding: chunked\r\n\r\nab"), {}, 0, Text("ab")},
        {"chunked first wins", true,
         Text(ok + "Transfer-Encoding: chunked\r\nContent-Length: 9\r\n\r\n2\r\nab\r\n0\r\n\r\n"), {}, 0, Text("ab")},
        {"neither: empty body", true, Text(ok + "Server: x\r\n\r\nabc"), {}, 0, {}},
        {"no status", true, Text("HTTP/1.1 OK\r\n\r\n"), {}, 5, {}},
        {"no reply buffer", true, MakeHttpReply(200, {1, 2}), {}, 2, {}, 0},
        {"no chunk", true, MakeHttpReply(200, {1, 2}, {2}), {}, 2, {}, 0},
        {"no assembled reply", true, MakeHttpReply(200, {1, 2}, {2}), {}, 2, {}, 1},
        {"raw in single bytes", false, raw, {1}, 0, raw},
        {"raw in 3 and 2", false, raw, {3, 2}, 0, raw},
        {"raw shorter than its header", false, {0x01, 0x01, 0x00, 0x01, 0x00}, {}, 5, {}},
        {"raw cut", false, Bytes(raw.begin(), raw.end() - 1), {}, 242, {}},
        {"raw cut in the header", false, {0x01, 0x02}, {}, 242, {}},
        {"raw without memory", false, raw, {}, 2, {}, 0},
    };
    DebugCapture log;
    const Bytes frame = {1, 2, 3};
    for (const auto& c : cases) {
        auto* socket = new ScriptedSocket(c.reply, c.pieces);
        std::optional<CHttpTransport> http;
        std::optional<CSwpTransport> raw;
        CNetTransport* transport = c.http ? static_cast<CNetTransport*>(&http.emplace(socket)) : &raw.emplace(socket);
        ASSERT_EQ(transport->Start(nettest::Config(), c.http ? "s.test" : "s.test:9", frame.data(), 3, 1), 0);
        FailNthNothrowNew(c.failAlloc);
        for (int i = 0; i < 100000 && transport->IsBusy(); ++i) transport->Update(1);
        FailNthNothrowNew(-1);
        EXPECT_EQ(transport->GetResult(), c.result) << c.name;
        EXPECT_EQ(c.result == 0 ? Reply(*transport) : Bytes{}, c.body) << c.name;
        EXPECT_EQ(socket->Connected(), c.result == 0) << c.name;  // kept only after a success
        const std::string sent(socket->Sent().begin(), socket->Sent().end());
        if (c.http) {
            EXPECT_TRUE(sent.starts_with("POST / HTTP/1.1\r\nHost: s.test:80\r\n")) << sent;  // never "POST  HTTP/1.1"
        } else {
            EXPECT_EQ(socket->Sent(), frame) << c.name;
        }
    }
}

TEST(Nginx, ServesPreparedRepliesOverOneConnection) {
    TempDir dir;
    const std::uint16_t port = nettest::FreeLoopbackPort();
    ASSERT_NE(port, 0);
    const std::string d = dir.Path();
    std::filesystem::create_directory(d + "/www");
    std::string reply(3000, '\0');
    std::mt19937 rng(7);
    for (char& c : reply) c = static_cast<char>(rng());
    dir.Write("www/reply.bin", reply);
    Process board(nettest::Python("replies.py", {"hs87", d + "/www/board.bin"}));
    ASSERT_EQ(board.Wait(), 0) << board.Output();
    // In the foreground, one process, everything inside the directory; a
    // POST to a file is answered with the file (nginx refuses it with 405).
    std::string paths;
    for (const char* temp : {"client_body", "proxy", "fastcgi", "uwsgi", "scgi"}) {
        paths += std::string("  ") + temp + "_temp_path " + d + "/" + temp + ";\n";
    }
    dir.Write("nginx.conf", "daemon off;\nmaster_process off;\nerror_log " + d + "/error.log;\npid " + d +
                                "/nginx.pid;\nevents { worker_connections 16; }\nhttp {\n"
                                "  log_format conn '$connection $connection_requests $status';\n  access_log " + d +
                                "/access.log conn;\n" + paths + "  server {\n    listen 127.0.0.1:" + std::to_string(port) +
                                ";\n    root " + d + "/www;\n    error_page 405 =200 $uri;\n  }\n}\n");
    Process nginx({VK_NGINX, "-p", d, "-c", d + "/nginx.conf", "-e", d + "/error.log"});
    ASSERT_TRUE(nettest::WaitForListener(port)) << dir.Read("error.log");

    DebugCapture log;
    nettest::LoopbackNames names;
    const Bytes frame = nettest::Frame(88, {0x05});
    const std::string url = "http://peer.test:" + std::to_string(port);
    CHttpTransport transport;
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(transport.Start(nettest::Config(), (url + "/reply.bin").c_str(), frame.data(), 19, 1), 0);
        nettest::RunToEnd(transport);
        ASSERT_EQ(transport.GetResult(), 0) << i;
        EXPECT_TRUE(Reply(transport) == Text(reply)) << i;
    }
    transport.Cancel();
    // One connection ($connection), its first and second request. nginx logs
    // a request after answering it, so the second line may still be on its way.
    std::string access = dir.Read("access.log");
    for (int wait = 0; wait < 500 && std::count(access.begin(), access.end(), '\n') < 2; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        access = dir.Read("access.log");
    }
    const std::string first = access.substr(0, access.find(' '));
    EXPECT_EQ(access, first + " 1 200\n" + first + " 2 200\n");

    // A high-score board as a prepared reply.
    CWNet net;
    net.SetConfig(nettest::Config());
    CNetHighscore scores;
    scores.SetWNet(&net);
    scores.SetURL((url + "/board.bin").c_str(), 0);
    ASSERT_EQ(scores.RequestScores(5), 0);
    nettest::RunToEnd(scores);
    ASSERT_EQ(scores.GetResult(), 0);
    const auto* boards = static_cast<CNetHighscoreData*>(scores.GetData());
    EXPECT_EQ(boards->GetBoardCount(), 3);
    EXPECT_EQ(boards->GetEntryCount(5), 2);
    EXPECT_EQ(std::u16string(boards->GetNames(5)[0]), u"ann");
}

}  // namespace
