#include "tools/NetReplyWriter.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace vktools {

Bytes MakeHttpReply(int status, const Bytes& body, const std::vector<std::uint32_t>& chunkSizes,
                    const std::vector<std::string_view>& extraLines) {
    ByteWriter out;
    out.Append("HTTP/1.1 " + std::to_string(status) + " OK\r\n");
    for (const std::string_view line : extraLines) out.Append(line).Append("\r\n");
    if (chunkSizes.empty()) {
        out.Append("Content-Length: " + std::to_string(body.size()) + "\r\n\r\n").Append(body);
        return out.Take();
    }
    out.Append("Transfer-Encoding: chunked\r\n\r\n");
    std::size_t at = 0;
    for (std::size_t i = 0; at < body.size(); ++i) {
        const std::size_t size =
            std::min<std::size_t>(std::max<std::uint32_t>(1, chunkSizes[i % chunkSizes.size()]), body.size() - at);
        char line[32];
        std::snprintf(line, sizeof line, i % 2 ? "%zX;x=%zu\r\n" : "%zX\r\n", size, i);
        out.Append(line).Append(Bytes(body.begin() + static_cast<std::ptrdiff_t>(at),
                                      body.begin() + static_cast<std::ptrdiff_t>(at + size)));
        out.Append("\r\n");
        at += size;
    }
    out.Append("0\r\nX-Trailer: 1\r\n\r\n");
    return out.Take();
}

Bytes MakeRawReply(std::uint8_t replyId, const Bytes& payload, std::uint8_t headerUnits) {
    ByteWriter out(true);
    out.U8(1).U8(headerUnits).U16(static_cast<std::uint16_t>(payload.size())).U8(replyId);
    while (out.Size() < std::max<std::size_t>(5, headerUnits * 2u)) out.U8(0);
    return out.Append(payload).Take();
}

namespace {

// A u16 count and the bytes.
ByteWriter& Counted(ByteWriter& out, std::string_view bytes) {
    return out.U16(static_cast<std::uint16_t>(bytes.size())).Append(bytes);
}

}  // namespace

std::vector<ServiceReply> SampleServiceReplies() {
    std::vector<ServiceReply> replies;
    const auto add = [&](std::uint8_t service, std::uint8_t id, ByteWriter& body) {
        replies.push_back({service, id, body.Take()});
        body = ByteWriter(true);
    };
    ByteWriter b(true);
    // High scores: two boards, an empty place in each.
    b.U8(2).U8(5).U8(3).U32(900);
    Counted(b, "ann").U32(500);
    Counted(b, "").U32(0x80000000u);
    Counted(b, "").U8(0x85).U8(2).U32(610);
    Counted(b, "bo").U32(0x7FFFFFFF);
    Counted(b, "");
    add(0, 87, b);
    add(0, 80, b);
    add(0, 50, b.U8(1).U8(2));
    // Rooms.
    b.U32(1).U16(2).U32(5).U16(6).U16(7).U32(8).U16(9).U16(10).U8(0);
    add(1, 117, b);
    add(1, 118, b.U32(77).U8(0x42).U8(3).U8(0));
    b.U16(2).U32(1);
    Counted(b, "").U32(2);
    Counted(b, "h\xC3\xA9").U8(0);
    add(1, 119, b);
    add(1, 120, b.U8(3).U8(0));
    add(1, 121, b.U32(12).U16(13).U8(0));
    // Game.
    add(2, 128, b.U8(1).U8(2).U32(3).Append("abc").U8(0));
    add(2, 131, b.U8(3).U8(0));
    b.U16(1).U32(4).U16(0x8002).U32(5);
    Counted(b, "xy");
    Counted(b, "").U8(0);
    add(2, 135, b);
    b.U16(0x3000);
    Counted(b, "p");
    Counted(b, "qq");
    add(2, 136, b);
    b.U16(0x5000);
    Counted(b, "");
    Counted(b, "r");
    add(2, 137, b);
    // Statistics.
    add(3, 48, b);
    add(3, 112, b.Append("\x01\x02\x03"));
    add(3, 113, b.U8(1));
    add(3, 114, b.U32(0xDEADBEEF));
    add(3, 115, b);
    b.U32(6).U8(0).U8(1).U32(7).U16(0x8000);
    Counted(b, "s");
    Counted(b, "tt");
    add(3, 133, b);
    // Resources: one item of type 255, id 0, and two of type 7.
    add(4, 1, b.U8(255).U8(0).U16(3).U8(0).Append("abc"));
    b.U8(7).U8(3).U16(2).U8(0).Append("ab").U8(7).U8(9).U16(0).U8(0);
    add(4, 1, b);
    return replies;
}

}  // namespace vktools
