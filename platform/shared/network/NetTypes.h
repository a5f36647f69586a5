// What every layer of the network library shares: the request settings the
// application hands in, the owned byte block, and the result codes.
#pragma once

#include <cstdint>

// The application's request settings. Fields 0-5 go into the request frame's
// header and its key; field 8 is the key text, a pointer the application
// keeps alive. Copied member by member.
struct WNetConfig {
    std::int32_t field0 = 0;            // frame bytes 10-11, fifth key number
    std::int32_t field1 = 0;            // frame byte 4, third key number
    std::int32_t field2 = 0;            // frame byte 5, fourth key number
    std::int32_t field3 = 0;            // frame byte 6, sixth key number
    std::int32_t field4 = 0;            // frame bytes 8-9, first key number
    std::int32_t field5 = 0;            // frame byte 7; its low byte is the second key number
    std::int32_t timeoutMs = 0;         // whole request; below 1 means none
    std::int32_t connectTimeoutMs = 0;  // handed to the socket's Connect
    const char* keyText = nullptr;      // narrow, zero-terminated
    std::int32_t field9 = 0;            // low byte non-zero: frame flag 0x04
    std::int32_t field10 = 0;           // bits 0x18 copied into the frame flags
    std::int32_t field11 = 0;           // low byte non-zero: frame flag 0x20
};

// A block of bytes and its length; whoever holds the blob owns the block
// (allocated with new[]). Empty: {0, null}.
struct NetBlob {
    std::uint32_t length = 0;
    std::uint8_t* data = nullptr;
};

// Result codes of every layer; the socket's own results (241-248) pass
// through unchanged.
constexpr std::int32_t kNetOk = 0;
constexpr std::int32_t kNetBadArgument = 1;
constexpr std::int32_t kNetNoMemory = 2;
constexpr std::int32_t kNetNothingToSend = 3;
constexpr std::int32_t kNetHttpStatus = 4;  // HTTP status other than 200
constexpr std::int32_t kNetCorrupt = 5;     // corrupt, short or unexpected data
constexpr std::int32_t kNetAppError = 7;    // the server application reported an error
constexpr std::int32_t kNetBusy = -1;
constexpr std::int32_t kNetTimeout = 243;

// The most a reply body may hold; larger announced sizes are corrupt data.
// The largest reply a service reads (255 items of 65,535 bytes) fits.
constexpr std::uint32_t kNetMaxReply = 16u << 20;
