// The HTTP transport against nginx from the distribution: a prepared reply
// file served to the POST, twice over one kept connection.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

#include "platform/shared/network/CHttpTransport.h"
#include "platform/shared/network/highscore/CNetHighscore.h"
#include "tests/net/NetTest.h"

namespace {

using nettest::Bytes;

TEST(Nginx, ServesPreparedReplies) {
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
    dir.Write("nginx.conf", "daemon off;\nmaster_process off;\nerror_log " + d + "/error.log;\npid " + d +
                                "/nginx.pid;\nevents { worker_connections 16; }\nhttp {\n"
                                "  log_format conn '$connection $connection_requests $status';\n"
                                "  access_log " +
                                d +
                                "/access.log conn;\n"
                                "  client_body_temp_path " +
                                d + "/body;\n  proxy_temp_path " + d +
                                "/proxy;\n"
                                "  fastcgi_temp_path " +
                                d + "/fastcgi;\n  uwsgi_temp_path " + d +
                                "/uwsgi;\n"
                                "  scgi_temp_path " +
                                d +
                                "/scgi;\n"
                                "  server {\n    listen 127.0.0.1:" +
                                std::to_string(port) + ";\n    root " + d +
                                "/www;\n    error_page 405 =200 $uri;\n  }\n}\n");
    Process nginx({VK_NGINX, "-p", d, "-c", d + "/nginx.conf", "-e", d + "/error.log"});
    ASSERT_TRUE(nettest::WaitForListener(port)) << dir.Read("error.log");

    DebugCapture log;
    nettest::LoopbackNames names;
    const Bytes frame = nettest::Frame(88, {0x05});
    const std::string url = "http://peer.test:" + std::to_string(port) + "/reply.bin";
    CHttpTransport transport;
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(
            transport.Start(nettest::Config(), url.c_str(), frame.data(), static_cast<std::uint32_t>(frame.size()), 1),
            0);
        nettest::RunToEnd(transport);
        ASSERT_EQ(transport.GetResult(), 0) << i;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(transport.GetReplyData()), transport.GetReplyLength()),
                  reply);
    }
    transport.Cancel();
    // One connection ($connection), its first and second request. nginx logs
    // a request after answering it, so the second line may still be on its
    // way.
    std::string access = dir.Read("access.log");
    for (int wait = 0; wait < 500 && std::count(access.begin(), access.end(), '\n') < 2; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        access = dir.Read("access.log");
    }
    const std::string first = access.substr(0, access.find(' '));
    EXPECT_EQ(access, first + " 1 200\n" + first + " 2 200\n");

    // A high-score board.
    CWNet net;
    net.SetConfig(nettest::Config());
    CNetHighscore scores;
    scores.SetWNet(&net);
    scores.SetURL(("http://peer.test:" + std::to_string(port) + "/board.bin").c_str(), 0);
    ASSERT_EQ(scores.RequestScores(5), 0);
    nettest::RunToEnd(scores);
    ASSERT_EQ(scores.GetResult(), 0);
    const auto* boards = static_cast<CNetHighscoreData*>(scores.GetData());
    EXPECT_EQ(boards->GetBoardCount(), 3);
    EXPECT_EQ(boards->GetEntryCount(5), 2);
    EXPECT_EQ(std::u16string(boards->GetNames(5)[0]), u"ann");
}

}  // namespace
