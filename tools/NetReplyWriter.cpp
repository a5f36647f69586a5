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
        const std::size_t size = std::min<std::size_t>(std::max<std::uint32_t>(1, chunkSizes[i % chunkSizes.size()]),
                                                       body.size() - at);
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

}  // namespace vktools
