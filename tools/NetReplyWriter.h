// Replies as the network library's servers send them: HTTP replies with a
// Content-Length or in chunks of chosen sizes, and raw-socket replies framed
// by their own header.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "tools/ByteWriter.h"

namespace vktools {

// "HTTP/1.1 <status> OK", the extra header lines (each given without its
// CRLF), then the body: with a Content-Length when chunkSizes is empty,
// else chunked with those sizes taken in turn (upper-case hex, an extension
// on every other chunk) and a trailer line.
Bytes MakeHttpReply(int status, const Bytes& body, const std::vector<std::uint32_t>& chunkSizes = {},
                    const std::vector<std::string_view>& extraLines = {});

// 01, the header length in 16-bit units, the payload length, the reply id,
// zero bytes up to the header length (at least 5 bytes), then the payload.
Bytes MakeRawReply(std::uint8_t replyId, const Bytes& payload, std::uint8_t headerUnits = 9);

// A reply body of one of the network services (0 high scores, 1 rooms,
// 2 game, 3 statistics, 4 resources) with its reply id.
struct ServiceReply {
    std::uint8_t service;
    std::uint8_t replyId;
    Bytes body;
};

// A body of every reply id each service reads, and one it does not know.
std::vector<ServiceReply> SampleServiceReplies();

}  // namespace vktools
