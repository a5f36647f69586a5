#include "platform/shared/components/CBinRes.h"

#include <new>

#include "platform/shared/components/CArrayInputStream.h"
#include "platform/shared/components/CBigFileReader.h"
#include "platform/shared/components/ICFile.h"
#include "platform/shared/components/ICFileMgr.h"
#include "platform/shared/core/CGenUtil.h"
#include "platform/shared/core/Debug.h"

namespace {

constexpr std::uint32_t kIdMask = 0x7FFF;
constexpr std::uint32_t kSizesBytes = 8;
// Deflate cannot expand a byte to more than 1032 bytes: a declared size
// beyond that is a lie, refused before anything is allocated for it.
constexpr std::uint64_t kMaxInflateRatio = 1032;

}  // namespace

CBinRes::CBinRes() { SetClassId(kClassId); }

CBinRes::~CBinRes() { Free(); }

void CBinRes::Free() {
    delete[] m_data;
    Detach();
}

void CBinRes::Detach() {
    m_data = nullptr;
    m_size = 0;
    m_type = 0;
    m_headerLength = 0;
    m_compressed = 0;
    m_payload = nullptr;
    m_payloadSize = 0;
}

bool CBinRes::SetHeader(std::uint32_t headerLength, std::uint8_t compressed) {
    // The payload must not be empty or lie before the header's end.
    if (headerLength >= m_size) return false;
    m_headerLength = headerLength;
    m_compressed = compressed;
    m_payload = m_data + headerLength;
    m_payloadSize = m_size - headerLength;
    return true;
}

int CBinRes::ParseHeader(std::uint32_t headerBytes) {
    CArrayInputStream in;
    in.SetData(m_data, m_size);
    const std::uint16_t headerLength = in.ReadU16();
    const std::uint8_t flags = in.ReadU8();
    if (headerBytes > 3) in.ReadU8();
    return !in.HasError() && SetHeader(headerLength, (flags & kCompressedFlag) ? 1 : 0) ? 1 : 0;
}

int CBinRes::LoadFromBigFile(CBigFileReader* reader, std::uint32_t id, std::uint8_t inflate) {
    Free();
    if (reader == nullptr || id == 0) return 0;
    const std::uint32_t key = id & kIdMask;
    const std::uint32_t size = reader->GetEntrySize(key);
    if (size == 0) return 0;
    m_data = new (std::nothrow) std::uint8_t[size];
    if (m_data == nullptr) return 0;
    m_size = size;
    if (!reader->ReadEntry(key, m_data, size) || !ParseHeader(3)) {
        Free();
        return 0;
    }
    m_type = reader->GetEntryType(key);
    return inflate ? Inflate() : 1;
}

int CBinRes::InitFromMemory(std::uint32_t type, std::uint8_t* data, std::uint32_t size, std::uint8_t inflate) {
    Free();
    m_data = data;
    m_size = size;
    if (data == nullptr || size == 0 || !ParseHeader(4)) {
        Free();
        return 0;
    }
    m_type = type;
    return inflate ? Inflate() : 1;
}

int CBinRes::InitRaw(std::uint32_t type, std::uint32_t headerLength, std::uint8_t* data, std::uint32_t size,
                     std::uint8_t compressed, std::uint8_t inflate) {
    Free();
    m_data = data;
    m_size = size;
    if (data == nullptr || size == 0 || !SetHeader(headerLength, compressed)) {
        Free();
        return 0;
    }
    m_type = type;
    return inflate ? Inflate() : 1;
}

int CBinRes::LoadFromFile(const char16_t* path) {
    DebugAssert(path != nullptr, "..\\..\\platform\\shared\\components\\src\\CBinRes.cpp", 151);
    Free();
    ICFileMgr* files = ICFileMgr::GetInstance();
    if (path == nullptr || files == nullptr) return 0;
    const std::uint32_t size = files->GetFileSize(path);
    if (size == 0) return 0;
    m_data = new (std::nothrow) std::uint8_t[size];
    if (m_data == nullptr) return 0;
    m_size = size;
    ICFile* file = files->Open(path, 0);
    // A file that shrank since its size was taken would leave bytes unset.
    const bool complete = file != nullptr && file->Read(m_data, size) == size;
    files->Close(file);
    if (!complete) {
        Free();
        return 0;
    }
    SetHeader(0, 0);
    return 1;
}

int CBinRes::Inflate() {
    if (!m_compressed) return 1;
    if (m_payload == nullptr || m_payloadSize < kSizesBytes) return 0;
    CArrayInputStream in;
    in.SetData(m_payload, m_payloadSize);
    const std::uint32_t uncompressed = in.ReadU32();
    const std::uint32_t compressed = in.ReadU32();
    // An empty stream would "succeed" without writing the output.
    if (compressed == 0 || static_cast<std::uint64_t>(compressed) + kSizesBytes > m_payloadSize) return 0;
    if (uncompressed > static_cast<std::uint64_t>(compressed) * kMaxInflateRatio) return 0;
    auto* out = new (std::nothrow) std::uint8_t[uncompressed];
    if (out == nullptr) return 0;
    if (!CGenUtil::Uncompress(m_payload, compressed, kSizesBytes, out, uncompressed)) {
        delete[] out;
        return 0;
    }
    delete[] m_data;
    m_data = out;
    m_size = uncompressed;
    m_headerLength = 0;
    m_payload = m_data;
    m_payloadSize = uncompressed;
    m_compressed = 0;
    return 1;
}
