#include "platform/shared/network/CWUtil.h"

#include <new>

#include "host/Winsock.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/core/ICCore.h"
#include "platform/shared/core/Printf.h"
#include "platform/shared/core/StringUtil.h"
#include "platform/shared/core/Wrap.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"

namespace {

constexpr const char* kSource = "..\\..\\platform\\shared\\network\\src\\CWUtil.cpp";

std::int32_t HashBytes(std::int32_t h, const std::uint8_t* bytes, std::int32_t length) {
    if (bytes == nullptr) return h;
    for (std::int32_t i = 0; i < length; ++i) {
        h = WrapAdd32(h, static_cast<std::int8_t>(bytes[i]));
        h = WrapAdd32(h, Shl32(h, 10));
        h ^= h >> 6;
    }
    return h;
}

void PutU32(std::uint8_t* out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

}  // namespace

namespace CWUtil {

std::uint32_t Hash(std::uint32_t seed, const std::uint8_t* key, std::int32_t keyLength, const std::uint8_t* data,
                   std::int32_t dataLength, std::int32_t width) {
    std::int32_t h = HashBytes(static_cast<std::int32_t>(seed), key, keyLength);
    h = HashBytes(h, data, dataLength);
    h = WrapAdd32(h, Shl32(h, 3));
    h ^= h >> 11;
    h = WrapAdd32(h, Shl32(h, 15));
    if (width == 4) return static_cast<std::uint32_t>(h);
    const std::uint32_t fold = static_cast<std::uint32_t>((h >> 16) & 0xFFFF) ^ static_cast<std::uint32_t>(h & 0xFFFF);
    if (width == 2) return fold;
    DebugAssert(width == 8, kSource, 57);
    return ((fold >> 8) & 0xFF) ^ (fold & 0xFF);
}

void GenerateKey(std::uint8_t* out, std::int32_t n0, std::int32_t n1, std::int32_t n2, std::int32_t n3, std::int32_t n4,
                 std::int32_t n5, const char* keyText) {
    DebugAssert(out != nullptr, kSource, 82);
    char text[80];
    const int length = SNPrintf(text, sizeof text, "%d_%d_%d_%d_%d_%d", n0, n1, n2, n3, n4, n5);
    const auto* keyBytes = reinterpret_cast<const std::uint8_t*>(keyText);
    const std::uint32_t seed =
        Hash(0, nullptr, 0, keyBytes, keyText != nullptr ? static_cast<std::int32_t>(StringLength(keyText)) : 0, 4);
    const std::uint32_t key = Hash(seed, nullptr, 0, reinterpret_cast<const std::uint8_t*>(text), length, 4);
    PutU32(out, key);
    PutU32(out + 4, key);
}

std::uint16_t Checksum(const std::uint8_t* key, std::int32_t keyLength, const std::uint8_t* header,
                       std::int32_t headerLength, const std::uint8_t* extra, std::int32_t extraLength,
                       const std::uint8_t* payload, std::int32_t payloadLength) {
    std::uint32_t c = Hash(0, key, keyLength, header, headerLength, 2);
    if (extra != nullptr) c = Hash(c, key, keyLength, extra, extraLength, 2);
    if (payload != nullptr) c = Hash(c, key, keyLength, payload, payloadLength, 2);
    return static_cast<std::uint16_t>(c);
}

std::int32_t ParseURL(const char* url, CStrChar& host, std::uint16_t& port, CStrChar& path) {
    host.Clear();
    path.Clear();
    port = 80;
    if (url == nullptr) return kNetBadArgument;
    CStrChar whole;
    whole.AssignCStr(url);
    const std::int32_t scheme = whole.Find("://", 0);
    const std::int32_t start = scheme < 0 ? 0 : scheme + 3;
    const std::int32_t colon = whole.Find(":", start);
    const std::int32_t slash = whole.Find("/", start);
    const std::int32_t hostEnd = colon >= 0 ? colon : slash >= 0 ? slash : whole.GetLength();
    if (colon >= 0) {
        // The digits after the colon; anything else up to the path is
        // passed over. A port the u16 cannot hold, or 0, is refused rather
        // than wrapped to some other port.
        const std::int32_t end = slash > colon ? slash : whole.GetLength();
        std::uint32_t value = 0;
        for (std::int32_t i = colon + 1; i < end && url[i] >= '0' && url[i] <= '9' && value <= 0xFFFF; ++i) {
            value = value * 10 + static_cast<std::uint32_t>(url[i] - '0');
        }
        if (value == 0 || value > 0xFFFF) return kNetBadArgument;
        port = static_cast<std::uint16_t>(value);
    }
    if (hostEnd > start) host = whole.Substring(start, hostEnd - 1);
    if (slash >= 0) path = whole.Substring(slash, whole.GetLength() - 1);
    return kNetOk;
}

std::int32_t ReadString(char16_t*& text, CArrayInputStream& stream) {
    text = nullptr;
    const std::uint16_t count = stream.ReadU16();
    if (stream.HasError()) return kNetCorrupt;
    if (count == 0) return kNetOk;
    if (stream.Available() < count) {
        stream.Skip(count);  // sets the stream's error, as a short read does
        return kNetCorrupt;
    }
    text = new (std::nothrow) char16_t[count + 1u];
    if (text == nullptr) return kNetNoMemory;
    stream.ReadUtf8Chars(count, text, count + 1u);
    return kNetOk;
}

std::int32_t ReadBlob(NetBlob& blob, CInputStream& stream, std::uint32_t n) {
    blob = NetBlob{};
    if (n == 0) return kNetOk;
    if (stream.Available() < n) {
        stream.Skip(n);
        return kNetCorrupt;
    }
    auto* data = new (std::nothrow) std::uint8_t[n];
    if (data == nullptr) return kNetNoMemory;
    stream.Read(data, n);
    if (stream.HasError()) {
        delete[] data;
        return kNetCorrupt;
    }
    blob = NetBlob{n, data};
    return kNetOk;
}

std::int32_t ReadBlob16(NetBlob& blob, CInputStream& stream) {
    blob = NetBlob{};
    const std::uint16_t n = stream.ReadU16();
    if (stream.HasError()) return kNetCorrupt;
    return ReadBlob(blob, stream, n);
}

void FreeBlob(NetBlob& blob) {
    delete[] blob.data;
    blob = NetBlob{};
}

void WriteDeviceInfo(COutputStream& stream) {
    ICGraphics2d* graphics = ICGraphics2d::GetInstance();
    DebugAssert(graphics != nullptr, kSource, 331);
    std::int32_t width = 0, height = 0;
    ICRenderSurface* surface = graphics->GetRenderSurface();
    if (surface != nullptr) surface->GetSize(&width, &height);
    const ICCore* core = ICCore::GetInstance();
    stream.WriteU8(2);
    stream.WriteU8(8);
    stream.WriteS16(static_cast<std::int16_t>(width));
    stream.WriteS16(static_cast<std::int16_t>(height));
    stream.WriteU8(16);
    stream.WriteU8(static_cast<std::uint8_t>(core != nullptr ? core->GetPlatformCode() : 0));
}

std::int32_t GetDeviceInfoSize() { return 8; }

}  // namespace CWUtil

std::int32_t ScrambleStringPair(NetBlob& out, const char16_t* a, const char16_t* b) {
    out = NetBlob{};
    if (a == nullptr || b == nullptr) return kNetOk;
    const std::uint32_t la = WideStringLength(a);
    const std::uint32_t lb = WideStringLength(b);
    if (la == 0 || lb == 0) return kNetBadArgument;
    const std::uint64_t size = 2 + 2 * (std::uint64_t{la} + lb);
    if (size > 0xFFFFFFFFu) return kNetBadArgument;
    auto* data = new (std::nothrow) std::uint8_t[size];
    if (data == nullptr) return kNetNoMemory;
    data[0] = static_cast<std::uint8_t>(la);
    data[1] = static_cast<std::uint8_t>(lb);
    std::uint8_t* unitsB = data + 2;
    std::uint8_t* unitsA = unitsB + 2 * std::uint64_t{lb};
    const auto put = [](std::uint8_t* at, std::uint32_t index, std::uint16_t unit) {
        at[2 * std::uint64_t{index}] = static_cast<std::uint8_t>(unit >> 8);
        at[2 * std::uint64_t{index} + 1] = static_cast<std::uint8_t>(unit);
    };
    const auto unitA = [&](std::uint32_t i) {
        return static_cast<std::uint16_t>(a[i] ^ b[(std::uint64_t{i} + 1) % lb]);
    };
    for (std::uint32_t i = 0; i < la; ++i) put(unitsA, i, unitA(i));
    for (std::uint32_t j = 0; j < lb; ++j) put(unitsB, j, static_cast<std::uint16_t>(b[j] ^ unitA(j % la)));
    out = NetBlob{static_cast<std::uint32_t>(size), data};
    return kNetOk;
}

std::uint32_t HostToNet32(std::uint32_t value) { return winsock::htonl(value); }
std::uint16_t HostToNet16(std::uint16_t value) { return winsock::htons(value); }
std::uint16_t NetToHost16(std::uint16_t value) { return winsock::ntohs(value); }
