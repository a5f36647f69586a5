// Bodies of the network fuzz targets, shared with the test that replays
// their seeds. The input is a reply handed to a transport over a scripted
// socket in pieces whose sizes the input chooses: byte 0 gives the number
// of piece sizes (low 3 bits), each of the next bytes one size (1-256), the
// rest is the reply. Whatever the pieces, the result (and after a success
// the body) must be those of the same reply delivered as fast as the
// transport reads.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/shared/network/CHttpTransport.h"
#include "platform/shared/network/CSwpTransport.h"
#include "tests/support/ScriptedSocket.h"

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

}  // namespace fuzz
