// The raw-socket transport against the Python peer, which writes its
// replies in pieces, and over a scripted socket.
#include <gtest/gtest.h>

#include "platform/shared/network/CSwpTransport.h"
#include "tests/net/NetTest.h"
#include "tests/support/FailingAlloc.h"
#include "tests/support/ScriptedSocket.h"
#include "tools/NetReplyWriter.h"

namespace {

using nettest::Bytes;

Bytes Reply(const CSwpTransport& transport) {
    const std::uint8_t* data = transport.GetReplyData();
    return data != nullptr ? Bytes(data, data + transport.GetReplyLength()) : Bytes{};
}

class RawTransport : public ::testing::Test {
protected:
    // Payload byte 0 picks the peer's answer, byte 1 how it splits it.
    std::int32_t Exchange(CSwpTransport& transport, std::uint8_t answer, std::uint8_t pieces, std::uint8_t keep = 0) {
        const Bytes frame = nettest::Frame(90, {answer, pieces});
        const std::string url = "peer.test:" + std::to_string(m_peer.Port());
        EXPECT_EQ(transport.Start(nettest::Config(), url.c_str(), frame.data(),
                                  static_cast<std::uint32_t>(frame.size()), keep),
                  0);
        nettest::RunToEnd(transport);
        EXPECT_EQ(m_peer.Problems(), "");
        return transport.GetResult();
    }

    DebugCapture m_log;
    nettest::LoopbackNames m_names;
    nettest::Peer m_peer{"raw_peer.py"};
};

TEST_F(RawTransport, RepliesInPieces) {
    Bytes full = {0x01, 0x09, 0x00, 0x05, 0x10};  // 18 + 5 bytes in all
    for (std::uint8_t b = 5; b < 18; ++b) full.push_back(b);
    for (std::uint8_t b = 0xA0; b < 0xA5; ++b) full.push_back(b);
    struct Case {
        std::uint8_t answer, pieces;
        std::int32_t result;
        Bytes reply;
    };
    const Case cases[] = {
        {0, 0, 0, full},  // at once
        {0, 1, 0, full},  // single bytes
        {0, 2, 0, full},  // the header as 1 + 3
        {1, 0, 0, {0x01, 0x02, 0x00, 0x00}},
        {2, 0, 242, {}},  // closed midway
    };
    CSwpTransport transport;
    for (const Case& c : cases) {
        m_log.Clear();
        EXPECT_EQ(Exchange(transport, c.answer, c.pieces), c.result) << int(c.answer) << int(c.pieces);
        if (c.result == 0) {
            EXPECT_EQ(Reply(transport), c.reply) << int(c.answer) << int(c.pieces);
        }
        if (c.pieces == 2) {  // the header did arrive as 1 + 3
            EXPECT_NE(m_log.Text().find("SOCKET: Receive - received 1/4 bytes"), std::string::npos);
        }
    }
}

TEST_F(RawTransport, KeptConnection) {
    CSwpTransport transport;
    ASSERT_EQ(Exchange(transport, 3, 0, 1), 0);
    const std::uint8_t first = Reply(transport).back();
    ASSERT_EQ(Exchange(transport, 3, 0, 0), 0);
    EXPECT_EQ(Reply(transport).back(), first);  // the kept connection
    ASSERT_EQ(Exchange(transport, 3, 0, 0), 0);
    EXPECT_EQ(Reply(transport).back(), first + 1);  // closed after the last one
}

TEST(RawTransportScripted, Replies) {
    struct Case {
        Bytes reply;
        std::vector<std::uint32_t> pieces;
        std::int32_t result;
        int failAlloc = -1;
    };
    const Bytes good = vktools::MakeRawReply(0x21, {1, 2, 3});
    const Case cases[] = {
        {good, {1}, 0},
        {good, {3, 2}, 0},
        {{0x01, 0x01, 0x00, 0x01, 0x00}, {}, 5},  // 2 + 1 bytes: shorter than the header
        {Bytes(good.begin(), good.end() - 1), {}, 242},
        {{0x01, 0x02}, {}, 242},
        {good, {}, 2, 0},
    };
    DebugCapture log;
    for (const Case& c : cases) {
        auto* socket = new ScriptedSocket(c.reply, c.pieces);
        CSwpTransport transport(socket);
        const Bytes frame = {1, 2, 3};
        ASSERT_EQ(transport.Start(nettest::Config(), "s.test:9", frame.data(), 3, 1), 0);
        FailNthNothrowNew(c.failAlloc);
        for (int i = 0; i < 1000 && transport.IsBusy(); ++i) transport.Update(1);
        FailNthNothrowNew(-1);
        const std::size_t index = &c - cases;
        EXPECT_EQ(transport.GetResult(), c.result) << index;
        if (c.result == 0) {
            EXPECT_EQ(Reply(transport), c.reply) << index;
        }
        EXPECT_EQ(socket->Sent(), frame);
        EXPECT_EQ(socket->Connected(), c.result == 0) << index;
    }
}

}  // namespace
