// The services: the payload of every request builder (over a scripted
// socket), the common request and reply machinery, and every reply id read
// from bodies the Python peer packs with struct.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "platform/shared/network/highscore/CNetHighscore.h"
#include "platform/shared/network/netgame/CNetGame.h"
#include "platform/shared/network/netroom/CNetRoom.h"
#include "platform/shared/network/netstat/CNetStat.h"
#include "platform/shared/network/resource/CNetResource.h"
#include "tests/net/NetTest.h"
#include "tests/support/ScriptedSocket.h"
#include "tools/NetReplyWriter.h"

namespace {

using nettest::Bytes;

// The five services on one client, reaching the URL over the transport.
struct Services {
    Services(CWNet& net, const std::string& url, std::int32_t transport) {
        for (CNetAPI* service : All()) {
            service->SetWNet(&net);
            service->SetURL(url.c_str(), 0);
            service->SetTransportType(transport);
        }
    }
    std::array<CNetAPI*, 5> All() { return {&hs, &room, &game, &stat, &res}; }
    CNetAPI* Busy() {
        for (CNetAPI* service : All()) {
            if (service->IsBusy()) return service;
        }
        return nullptr;
    }

    CNetHighscore hs;
    CNetRoom room;
    CNetGame game;
    CNetStat stat;
    CNetResource res;
};

// The services on a client whose sockets are scripted: the raw socket gets
// no reply, the HTTP socket the given one.
struct Scripted {
    explicit Scripted(const Bytes& httpReply = {}, std::int32_t transport = 2)
        : raw(new ScriptedSocket({}, {})), http(new ScriptedSocket(httpReply, {})), net(raw, http),
          s(net, "s.test/x", transport) {
        net.SetConfig(nettest::Config());
    }

    ScriptedSocket* raw;
    ScriptedSocket* http;
    CWNet net;
    Services s;
};

using Build = std::function<std::int32_t(Services&)>;

// The payloads requests.py packs with struct, by name.
std::map<std::string, Bytes> PackedPayloads() {
    Process python(nettest::Python("requests.py"));
    EXPECT_EQ(python.Wait(), 0) << python.Output();
    std::map<std::string, Bytes> payloads;
    std::istringstream lines(python.Output());
    for (std::string name, hex; lines >> name >> hex;) {
        Bytes& bytes = payloads[name];
        for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
            bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
        }
    }
    return payloads;
}

TEST(ServiceBuilders, Payloads) {
    DebugCapture quiet;
    const std::map<std::string, Bytes> packed = PackedPayloads();
    static const std::uint8_t run3[] = {7, 8, 9}, ids[] = {3, 9};
    // {builder, message, payload, or the name of the one requests.py packs}
    const std::tuple<Build, std::uint8_t, Bytes, const char*> cases[] = {
        {[](Services& s) { return s.room.Send118(1, 2, 1, 0); }, 118, {0, 0, 0, 1, 0, 0, 0, 2, 2, 0, 0}, nullptr},
        {[](Services& s) { return s.room.Send118Alt(1, 2, 1, 0); }, 118, {0, 0, 0, 1, 0, 0, 0, 2, 2, 1, 0}, nullptr},
        {[](Services& s) { return s.room.Send132(1, 2, 3); }, 132, {0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 2, 0}, nullptr},
        {[](Services& s) { return s.room.Send132Alt(1, 2, 3); }, 132, {0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 2, 0}, nullptr},
        {[](Services& s) { return s.room.Send117(1, 2, 5); }, 117, {0, 0, 0, 1, 0, 0, 0, 2, 1, 0}, nullptr},
        {[](Services& s) { return s.room.Send119(0xA1B2C3D4); }, 119, {}, "room119"},
        {[](Services& s) { return s.room.Send120(1, 0x01020304); }, 120, {}, "room120"},
        {[](Services& s) { return s.game.Send131(1, 2); }, 131, {0, 0, 0, 2, 0, 0, 0, 1}, nullptr},
        {[](Services& s) { return s.game.Send128(1, 2, 7, nullptr, 5); }, 128, {0, 0, 0, 2, 0, 0, 0, 1, 1, 0}, nullptr},
        {[](Services& s) { return s.game.Send128(1, 2, 7, run3, 3); }, 128, {}, "game128-run"},
        {[](Services& s) { return s.game.Send136(1, 2, 3, run3, 1, run3, 3); }, 136,
         {0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 3, 0, 3, 7, 8, 9, 0, 1, 7, 0}, nullptr},
        {[](Services& s) { return s.game.Send137(0x11223344, 0x55667788); }, 137, {}, "game137"},
        {[](Services& s) { return s.game.Send135(0x01020304, 0xABCD); }, 135, {}, "game135"},
        {[](Services& s) { return s.stat.Send112(0xFEDCBA98); }, 112, {}, "stat112"},
        {[](Services& s) { return s.stat.Send113(1, 2, run3, 3, 9); }, 113, {0, 0, 0, 2, 0, 0, 0, 1, 7, 8, 9, 0, 1},
         nullptr},
        {[](Services& s) { return s.stat.Send114(nullptr, 7); }, 114, {0, 8, 6, 0, 0, 0, 0, 7}, nullptr},
        {[](Services& s) { return s.stat.Send114(u"abc", 0); }, 114, {0, 9, 7, 1, 0, 3, 'a', 'b', 'c'}, nullptr},
        {[](Services& s) { return s.stat.Send114(u"", 0); }, 114, {0, 2}, nullptr},
        {[](Services& s) { return s.stat.Send115(1); }, 115, {0x80}, nullptr},
        {[](Services& s) { return s.stat.Send116(5, run3, 3); }, 116, {}, "stat116"},
        {[](Services& s) { return s.stat.Send133(1, 2, 3, 4); }, 133, {0x80, 0, 0, 0, 0, 1, 0, 3, 0, 4}, nullptr},
        {[](Services& s) { return s.stat.Send133(1, 5, 3, 4); }, 133, {0x40, 0, 0, 0, 0, 1, 0, 3, 0, 4}, nullptr},
        {[](Services& s) { return s.stat.Send134(1, 2, 0xFFFFFFFE, 9); }, 134, {}, "stat134"},
        {[](Services& s) { return s.stat.Send134(1, 2, 0xFFFFFFFE, 0); }, 134, {}, "stat134-off"},
        {[](Services& s) { return s.res.RequestItems(7, ids, 2); }, 1, {0, 7, 3, 3, 0, 7, 9, 9}, nullptr},
        {[](Services& s) { return s.res.RequestDefault(); }, 1, {0, 255, 0, 0}, nullptr},
        {[](Services& s) { return s.hs.RequestScores(5); }, 88, {5}, nullptr},
        {[](Services& s) {  // B first, "xxx" for no name
             s.hs.QueueScore(1, u"A", 10, nullptr);
             s.hs.QueueScore(2, u"", -1, u"z");
             return s.hs.SubmitQueued();
         },
         90, {2, 2, 0xFF, 0xFF, 0xFF, 0xFF, 0, 3, 'x', 'x', 'x', 0, 1, 'z', 1, 0, 0, 0, 10, 0, 1, 'A', 0, 0}, nullptr},
    };
    for (const auto& [build, message, payload, name] : cases) {
        const std::string row = std::to_string(message) + (name != nullptr ? std::string(" ") + name : "");
        Scripted scripted;
        ASSERT_EQ(build(scripted.s), 0) << row;
        nettest::RunToEnd(scripted.net);
        const Bytes& frame = scripted.raw->Sent();
        ASSERT_GE(frame.size(), 18u) << row;
        EXPECT_EQ(frame[16], message);
        const std::size_t length = frame[2] << 8 | frame[3];  // the first attempt's
        ASSERT_GE(frame.size(), 18 + length) << row;
        const Bytes sent(frame.begin() + 18, frame.begin() + 18 + static_cast<std::ptrdiff_t>(length));
        const Bytes expected = name != nullptr ? (packed.contains(name) ? packed.at(name) : Bytes{}) : payload;
        EXPECT_FALSE(expected.empty()) << row;
        EXPECT_EQ(sent, expected) << row;
    }
}

TEST(ServiceBuilders, RefusalsBusyCancelAndAFailedSubmission) {
    DebugCapture quiet;
    const std::uint8_t ids[256] = {};
    Scripted scripted;
    Services& s = scripted.s;
    EXPECT_EQ(s.hs.SubmitQueued(), 3);  // nothing queued
    EXPECT_EQ(s.hs.QueueScore(0, u"a", 1, nullptr), 1);
    for (int i = 0; i < 255; ++i) ASSERT_EQ(s.hs.QueueScore(1, u"a", i, nullptr), 0);
    EXPECT_EQ(s.hs.QueueScore(1, u"a", 255, nullptr), 1);  // its count is one byte
    EXPECT_EQ(s.res.RequestItems(1, ids, 256), 1);
    EXPECT_EQ(s.res.RequestItems(1, nullptr, 1), 1);
    EXPECT_EQ(s.res.RequestItems(1, ids, 0), 1);
    EXPECT_EQ(s.stat.Send114(std::u16string(300, u'n').c_str(), 0), 1);
    const Bytes tooLong(0x10000, 0);
    EXPECT_EQ(s.game.Send136(1, 2, 3, tooLong.data(), 0x10000, nullptr, 0), 1);
    // While one request runs, every builder refuses and changes nothing,
    // before it looks at its arguments.
    ASSERT_EQ(s.room.Send119(1), 0);
    EXPECT_EQ(s.room.Send120(1, 2), -1);
    EXPECT_EQ(s.stat.Send114(std::u16string(300, u'n').c_str(), 0), -1);
    EXPECT_EQ(s.game.Send136(1, 2, 3, tooLong.data(), 0x10000, nullptr, 0), -1);
    EXPECT_EQ(s.game.Send131(1, 2), -1);
    EXPECT_EQ(s.hs.QueueScore(1, u"a", 1, nullptr), -1);
    EXPECT_EQ(s.res.RequestDefault(), -1);
    // Cancelled, the next builder sends at once.
    s.room.Cancel();
    EXPECT_FALSE(s.room.IsBusy());
    EXPECT_EQ(s.game.Send131(1, 2), 0);
    nettest::RunToEnd(s.game);
    EXPECT_EQ(s.game.GetResult(), 242);  // the raw script has no reply
    // A failed submission does not bring the scores back.
    ASSERT_EQ(s.hs.SubmitQueued(), 0);
    nettest::RunToEnd(s.hs);
    EXPECT_EQ(s.hs.SubmitQueued(), 3);
}

TEST(ServiceBase, ReplyHeaderAndBody) {
    DebugCapture quiet;
    // {body, RequestScores (else SubmitQueued), result}
    const std::tuple<Bytes, bool, std::int32_t> cases[] = {
        {{1, 2}, true, 5},                         // 2 bytes
        {{1, 15, 0, 0, 80, 0}, false, 0},          // a header beyond the reply: no fields
        {{1, 15, 0, 0, 87, 0}, true, 5},           // a header beyond the reply, fields expected
        {{1, 3, 0, 1, 80, 0, 9}, false, 5},        // a spare byte
        {vktools::MakeRawReply(87, {0}), true, 0},  // no boards
    };
    for (const auto& [body, scores, result] : cases) {
        Scripted scripted(vktools::MakeHttpReply(200, body), 1);
        CNetHighscore& hs = scripted.s.hs;
        if (!scores) hs.QueueScore(1, u"a", 1, nullptr);
        ASSERT_EQ(scores ? hs.RequestScores(1) : hs.SubmitQueued(), 0);
        nettest::RunToEnd(hs);
        EXPECT_EQ(hs.GetResult(), result) << testing::PrintToString(body);
        if (result != 0 || !scores) continue;
        CNetData* data = hs.DetachData();
        hs.Reset(1);
        EXPECT_EQ(data->GetRequestId(), 88);  // still alive after the reset
        EXPECT_EQ(data->GetReplyId(), 87);
        delete data;
    }
}

// Resending a finished request, one whose reply did not parse (its reply
// object made and kept), and one whose start fails: the leak checker holds
// that each earlier reply object is freed.
TEST(ServiceBase, Resend) {
    DebugCapture quiet;
    nettest::LoopbackNames names;
    // {reply, result}
    const std::pair<const char*, std::int32_t> cases[] = {{"room120", 0}, {"room118-spare", 5}};
    for (const auto& [reply, result] : cases) {
        CWNet net;
        net.SetConfig(nettest::Config());
        CNetRoom room;
        room.SetWNet(&net);
        room.SetURL(nettest::HttpPeer().Url(std::string("/service/") + reply).c_str(), 0);
        ASSERT_EQ(room.Send118(1, 2, 0, 0), 0) << reply;
        nettest::RunToEnd(room);
        ASSERT_EQ(room.GetResult(), result) << reply;
        for (int again = 0; again < 2; ++again) {
            ASSERT_EQ(room.Resend(), 0) << reply;
            EXPECT_TRUE(room.IsBusy());
            nettest::RunToEnd(room);
            EXPECT_EQ(room.GetResult(), result) << reply;
            ASSERT_NE(room.GetData(), nullptr) << reply;
            EXPECT_EQ(room.GetData()->GetRequestId(), 118);
        }
        // A resend whose transport cannot start (port 0) ends at once and
        // keeps the last request's result and reply.
        CNetData* last = room.GetData();
        room.SetURL("peer.test:0/x", 0);
        EXPECT_EQ(room.Resend(), 1) << reply;
        EXPECT_FALSE(room.IsBusy());
        EXPECT_EQ(std::pair(room.GetResult(), room.GetData()), std::pair(result, last)) << reply;
    }
    EXPECT_EQ(nettest::HttpPeer().Problems(), "");
}

template <typename Data>
const Data& As(CNetData* data) {
    return *static_cast<Data*>(data);
}
std::u16string Text(const char16_t* text) { return text != nullptr ? text : u"(none)"; }
Bytes Blob(const NetBlob& blob) { return Bytes(blob.data, blob.data + blob.length); }

// Replies of every service, packed by the Python peer.
TEST(ServiceReplies, EveryReplyId) {
    DebugCapture log;
    nettest::LoopbackNames names;
    static const std::uint8_t two[] = {3, 9}, three[] = {3, 9, 1};
    using Check = std::function<void(CNetData*)>;
    const Build scores = [](Services& s) { return s.hs.RequestScores(5); };
    const Build submit = [](Services& s) {
        s.hs.QueueScore(1, u"a", 1, nullptr);
        return s.hs.SubmitQueued();
    };
    const Build any118 = [](Services& s) { return s.room.Send118(1, 2, 0, 0); };
    const Build room117 = [](Services& s) { return s.room.Send117(1, 2, 0); };
    const Build game128 = [](Services& s) { return s.game.Send128(1, 2, 0, nullptr, 0); };
    const Build game136 = [](Services& s) { return s.game.Send136(1, 2, 3, nullptr, 0, nullptr, 0); };
    const Build stat133 = [](Services& s) { return s.stat.Send133(1, 2, 3, 4); };
    const Build items = [](Services& s) { return s.res.RequestItems(7, two, 2); };
    // {reply of replies.py, request, result, checks of the data}
    const std::tuple<const char*, Build, std::int32_t, Check> cases[] = {
        {"hs87", scores, 0,
         [](CNetData* d) {
             const auto& hs = As<CNetHighscoreData>(d);  // the first board of mode 5 is found
             EXPECT_EQ(std::tuple(hs.GetBoardCount(), hs.FindBoard(5), hs.GetEntryCount(5), hs.GetScores(5)[2]),
                       std::tuple(3, 0, 2, INT_MIN));
             EXPECT_EQ(Text(hs.GetNames(5)[0]) + u"/" + Text(hs.GetNames(5)[1]), u"ann/(none)");
             EXPECT_EQ(std::tuple(hs.GetEntryCount(0x85), hs.GetBoardMode(1), hs.GetBoardMode(3), hs.GetEntryCount(6)),
                       std::tuple(1, 0x85, -1, -1));
             EXPECT_TRUE(CNetHighscoreData::IsDescending(5) && !CNetHighscoreData::IsDescending(0x85));
         }},
        {"hs87-none", scores, 0, [](CNetData* d) { EXPECT_EQ(As<CNetHighscoreData>(d).GetBoardCount(), 0); }},
        {"hs87-short", scores, 5, nullptr},
        {"hs80", submit, 0, [](CNetData* d) { EXPECT_EQ(As<CNetHighscoreData>(d).GetBoardCount(), 0); }},
        {"hs80-byte", submit, 5, nullptr},
        {"room117", room117, 0,
         [](CNetData* d) {
             const auto& r = As<CNetRoomData>(d).Get117();
             ASSERT_EQ(r.count, 2);
             EXPECT_EQ(std::tuple(r.value, r.records[1].value, r.records[1].second), std::tuple(0x01020304u, 8u, 10));
         }},
        {"room117-empty", room117, 0, [](CNetData* d) { EXPECT_EQ(As<CNetRoomData>(d).Get117().records, nullptr); }},
        {"room118", any118, 0,
         [](CNetData* d) {
             const auto& r = As<CNetRoomData>(d).Get118();
             EXPECT_EQ(std::tuple(r.value, r.byte, r.flag), std::tuple(77u, 0x42, 1));
         }},
        {"room118-spare", any118, 5, nullptr},
        {"room119", [](Services& s) { return s.room.Send119(1); }, 0,
         [](CNetData* d) {
             const auto& r = As<CNetRoomData>(d).Get119();
             ASSERT_EQ(r.count, 2);
             EXPECT_EQ(Text(r.records[0].text) + u"/" + Text(r.records[1].text), u"(none)/h\u00e9");
         }},
        {"room120", [](Services& s) { return s.room.Send120(1, 2); }, 0,
         [](CNetData* d) { EXPECT_EQ(As<CNetRoomData>(d).Get120().flag, 1); }},
        {"room121", any118, 0, [](CNetData* d) { EXPECT_EQ(As<CNetRoomData>(d).Get121().second, 13); }},
        {"room-other", [](Services& s) { return s.room.Send132(1, 2, 3); }, 0,
         [](CNetData* d) { EXPECT_EQ(Blob(d->GetBody()), (Bytes{9, 8, 7})); }},
        {"game128", game128, 0,
         [](CNetData* d) { EXPECT_EQ(Blob(As<CNetGameData>(d).Get128().run), (Bytes{'a', 'b', 'c'})); }},
        {"game128-closing", game128, 0, [](CNetData* d) { EXPECT_EQ(As<CNetGameData>(d).Get128().run.data, nullptr); }},
        {"game128-open", game128, 5, nullptr},
        {"game131", [](Services& s) { return s.game.Send131(1, 2); }, 0,
         [](CNetData* d) { EXPECT_EQ(As<CNetGameData>(d).Get131().flag, 1); }},
        {"game135", [](Services& s) { return s.game.Send135(1, 2); }, 0,
         [](CNetData* d) {
             const auto& r = As<CNetGameData>(d).Get135();
             ASSERT_EQ(r.count, 1);
             EXPECT_EQ(std::tuple(r.records[0].flag, r.records[0].kind, r.records[0].second), std::tuple(1, 2, 5u));
             EXPECT_EQ(Blob(r.records[0].run1), (Bytes{'x', 'y'}));
         }},
        {"game136", game136, 0,
         [](CNetData* d) {
             const auto& state = As<CNetGameData>(d).GetState();
             EXPECT_EQ(std::tuple(state.state, Blob(state.run2)), std::tuple(0, Bytes{'q', 'q'}));
         }},
        {"game137", [](Services& s) { return s.game.Send137(1, 2); }, 0,
         [](CNetData* d) { EXPECT_EQ(As<CNetGameData>(d).GetState().state, 3); }},
        {"game136-spare", game136, 5, nullptr},
        {"stat112", [](Services& s) { return s.stat.Send112(1); }, 0,
         [](CNetData* d) { EXPECT_EQ(Blob(As<CNetStatData>(d).Get112()), (Bytes{1, 2, 3})); }},
        {"stat113", [](Services& s) { return s.stat.Send116(1, nullptr, 0); }, 0,
         [](CNetData* d) { EXPECT_EQ(As<CNetStatData>(d).Get113Flag(), 1); }},
        {"stat114", [](Services& s) { return s.stat.Send114(nullptr, 1); }, 0,
         [](CNetData* d) { EXPECT_EQ(As<CNetStatData>(d).Get114Value(), 0xDEADBEEFu); }},
        {"stat115", [](Services& s) { return s.stat.Send115(0); }, 0, nullptr},
        {"stat133", stat133, 0,
         [](CNetData* d) {
             const auto& r = As<CNetStatData>(d).Get133();
             ASSERT_EQ(r.count, 1);
             EXPECT_EQ(std::tuple(r.records[0].flag, Blob(r.records[0].run2)), std::tuple(1, Bytes{'t', 't'}));
         }},
        {"stat133-empty", stat133, 0, [](CNetData* d) { EXPECT_EQ(As<CNetStatData>(d).Get133().value, 6u); }},
        {"res-default", [](Services& s) { return s.res.RequestDefault(); }, 0,
         [](CNetData* d) { EXPECT_TRUE(As<CNetResourceData>(d).HasDefaultItem()); }},
        {"res-two", items, 0,
         [](CNetData* d) {
             auto& r = *static_cast<CNetResourceData*>(d);
             NetBlob taken, again{9, nullptr};
             EXPECT_FALSE(r.HasDefaultItem());
             EXPECT_EQ(r.GetItem(7, 3, &taken, true), 0);
             EXPECT_EQ(r.GetItem(7, 3, &again, true), 0);  // found again, its data handed out already
             EXPECT_EQ(std::tuple(Blob(taken), again.length), std::tuple(Bytes{'a', 'b'}, 0u));
             EXPECT_EQ(std::pair(r.GetItem(7, 9, nullptr, false), r.GetItem(8, 9, nullptr, false)), std::pair(1, -1));
             CWUtil::FreeBlob(taken);
         }},
        {"res-one", items, 5, nullptr},
        {"res-three", [](Services& s) { return s.res.RequestItems(7, three, 2); }, 5, nullptr},
    };
    for (const auto& [reply, send, result, check] : cases) {
        CWNet net;
        net.SetConfig(nettest::Config());
        Services s(net, nettest::HttpPeer().Url(std::string("/service/") + reply), 1);
        ASSERT_EQ(send(s), 0) << reply;
        CNetAPI* busy = s.Busy();
        ASSERT_NE(busy, nullptr);
        nettest::RunToEnd(*busy);
        EXPECT_EQ(busy->GetResult(), result) << reply;
        if (result == 0 && check) {
            ASSERT_NE(busy->GetData(), nullptr) << reply;
            check(busy->GetData());
        }
    }
    EXPECT_EQ(nettest::HttpPeer().Problems(), "");
}

}  // namespace
