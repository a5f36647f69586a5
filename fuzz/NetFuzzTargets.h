// Bodies of the network fuzz targets, shared with the test that replays
// their seeds. For the transports the input is a reply handed to a transport over a scripted
// socket in pieces whose sizes the input chooses: byte 0 gives the number
// of piece sizes (low 3 bits), each of the next bytes one size (1-256), the
// rest is the reply. Whatever the pieces, the result (and after a success
// the body) must be those of the same reply delivered as fast as the
// transport reads.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <type_traits>
#include <vector>

#include "platform/shared/network/CHttpTransport.h"
#include "platform/shared/network/CSwpTransport.h"
#include "platform/shared/network/CWNet.h"
#include "platform/shared/network/CWUtil.h"
#include "platform/shared/network/highscore/CNetHighscore.h"
#include "platform/shared/network/netgame/CNetGame.h"
#include "platform/shared/network/netroom/CNetRoom.h"
#include "platform/shared/network/netstat/CNetStat.h"
#include "platform/shared/network/resource/CNetResource.h"
#include "tests/support/ScriptedSocket.h"
#include "tools/NetReplyWriter.h"

namespace fuzz {

struct NetOutcome {
    std::int32_t result;
    std::vector<std::uint8_t> body;
    bool operator==(const NetOutcome&) const = default;
};

template <typename Transport>
NetOutcome RunScripted(const std::vector<std::uint8_t>& reply, const std::vector<std::uint32_t>& pieces) {
    Transport transport(new ScriptedSocket(reply, pieces));
    WNetConfig config;
    config.keyText = "key";
    static const std::uint8_t frame[] = {1, 9, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 88, 1, 5};
    transport.Start(config, "http://fuzz.test/x", frame, sizeof frame, 1);
    // Every update moves at least one byte or one state on.
    for (std::size_t i = 0; i < 4 * reply.size() + 64 && transport.IsBusy(); ++i) transport.Update(1);
    if (transport.IsBusy()) std::abort();
    const std::uint8_t* data = transport.GetReplyData();
    if (transport.GetResult() != 0 || data == nullptr) return {transport.GetResult(), {}};
    return {0, std::vector<std::uint8_t>(data, data + transport.GetReplyLength())};
}

template <typename Transport>
int FuzzTransport(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t count = std::min<std::size_t>(data[0] & 7, size - 1);
    std::vector<std::uint32_t> pieces;
    for (std::size_t i = 1; i <= count; ++i) pieces.push_back(data[i] + 1u);
    const std::vector<std::uint8_t> reply(data + 1 + count, data + size);
    if (!(RunScripted<Transport>(reply, pieces) == RunScripted<Transport>(reply, {}))) std::abort();
    return 0;
}

inline int FuzzNetHttp(const std::uint8_t* data, std::size_t size) { return FuzzTransport<CHttpTransport>(data, size); }
inline int FuzzNetRaw(const std::uint8_t* data, std::size_t size) { return FuzzTransport<CSwpTransport>(data, size); }

// A service that sends one request accepting any reply id, so that every
// reply id reaches its reader.
template <typename Service>
struct AnyReply : Service {
    std::int32_t SendAny() {
        const std::int32_t begun = this->BeginRequest(1);
        if (begun != 0) return begun;
        CNetPayloadStream out = this->PayloadStream();
        out.WriteU8(0);
        return this->EndRequest(out, 1, 0);
    }
};

// Sends a request through a client whose raw socket answers with the body
// under the reply id, and reads the reply through the service's completion.
template <typename Service>
void ReadReply(std::uint8_t replyId, const std::vector<std::uint8_t>& body, std::uint8_t items) {
    CWNet net(new ScriptedSocket(vktools::MakeRawReply(replyId, body), {}), new ScriptedSocket({}, {}));
    WNetConfig config;
    net.SetConfig(config);
    AnyReply<Service> service;
    service.SetWNet(&net);
    service.SetURL("fuzz.test", 0);
    service.SetTransportType(2);
    service.SetRetries(1);
    if constexpr (std::is_same_v<Service, CNetResource>) {
        std::uint8_t ids[255] = {};
        if (replyId != 1 || service.RequestItems(7, ids, items) != 0) service.SendAny();
    } else {
        service.SendAny();
    }
    for (int i = 0; i < 64 && service.IsBusy(); ++i) service.Update(1);
    if (service.IsBusy()) std::abort();
    CNetData* data = service.GetData();
    if constexpr (std::is_same_v<Service, CNetHighscore>) {
        if (data != nullptr) {
            auto* boards = static_cast<CNetHighscoreData*>(data);
            for (std::int32_t b = 0; b < boards->GetBoardCount(); ++b) {
                const auto mode = static_cast<std::uint8_t>(boards->GetBoardMode(b));
                const std::int32_t n = boards->GetEntryCount(mode);
                volatile std::int32_t sink = n > 0 ? boards->GetScores(mode)[n - 1] : 0;
                (void)sink;
            }
        }
    }
}

// The input: byte 0 picks the service (low 3 bits) and, for the resource
// service, the number of items asked (the rest); byte 1 is the reply id;
// the rest is the body. The string and blob readers run on the body too.
inline int FuzzNetReplies(const std::uint8_t* data, std::size_t size) {
    if (size < 2 || size > 0xFFFF) return 0;
    const std::vector<std::uint8_t> body(data + 2, data + size);
    const auto items = static_cast<std::uint8_t>((data[0] >> 3) + 1);
    switch (data[0] & 7) {
    case 0:
        ReadReply<CNetHighscore>(data[1], body, items);
        break;
    case 1:
        ReadReply<CNetRoom>(data[1], body, items);
        break;
    case 2:
        ReadReply<CNetGame>(data[1], body, items);
        break;
    case 3:
        ReadReply<CNetStat>(data[1], body, items);
        break;
    default:
        ReadReply<CNetResource>(data[1], body, items);
        break;
    }
    char16_t text[16];
    CWNet::DecodeString(NetBlob{static_cast<std::uint32_t>(body.size()), const_cast<std::uint8_t*>(body.data())}, text,
                        16);
    CArrayInputStream stream(1);
    stream.SetData(body.data(), static_cast<std::uint32_t>(body.size()));
    for (;;) {
        char16_t* read = nullptr;
        NetBlob blob;
        const bool more = CWUtil::ReadString(read, stream) == 0 && CWUtil::ReadBlob16(blob, stream) == 0;
        delete[] read;
        CWUtil::FreeBlob(blob);
        if (!more || stream.Available() == 0) break;
        CWUtil::ReadBlob(blob, stream, stream.Available() / 2);
        CWUtil::FreeBlob(blob);
    }
    return 0;
}

}  // namespace fuzz
