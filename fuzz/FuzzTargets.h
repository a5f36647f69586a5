// Bodies of the fuzz targets, shared with the test that replays their seeds.
// Each takes arbitrary bytes and drives the readers over them; the
// sanitizers report anything out of bounds.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/File.h"
#include "platform/shared/components/CAggregateResource.h"
#include "platform/shared/components/CBigFileReader.h"
#include "platform/shared/components/CBinRes.h"
#include "platform/shared/components/CKeysetResource.h"
#include "tools/BigFileWriter.h"

namespace fuzz {

// A per-process scratch file in the phone's form.
inline const std::u16string& ScratchPath() {
    static const std::u16string path = [] {
        const char* base = std::getenv("TMPDIR");
        const std::string dir = base != nullptr && *base != '\0' ? base : "/tmp";
        return host::ToPhonePath(dir + "/vk-fuzz-" + std::to_string(getpid()) + ".big");
    }();
    return path;
}

inline bool WriteScratch(const std::uint8_t* data, std::size_t size) {
    return vktools::WriteHostFile(host::ToHostPath(ScratchPath()), vktools::Bytes(data, data + size));
}

// Loads the entry of id in every resource form and touches what loaded.
inline void LoadEverything(CBigFileReader& reader, std::uint32_t id) {
    CBinRes res;
    if (res.LoadFromBigFile(&reader, id, 1)) {
        volatile std::uint8_t sink = 0;
        for (std::uint32_t i = 0; i < res.GetPayloadSize(); i += 97) sink = sink + res.GetPayload()[i];
    }
    CAggregateResource aggregate;
    if (aggregate.Load(&reader, id)) {
        for (std::uint32_t sub = 0; sub < 64; ++sub) {
            std::vector<std::uint8_t> out(aggregate.GetSize(sub) + 1);
            aggregate.Read(sub, out.data());
            aggregate.GetExtra(sub);
        }
    }
    CKeysetResource keyset;
    if (keyset.Load(&reader, id)) {
        for (std::uint32_t i = 0; i <= keyset.GetCount(); ++i) keyset.GetKey(i);
    }
}

// The input is a whole archive.
inline int FuzzBigFile(const std::uint8_t* data, std::size_t size) {
    if (!WriteScratch(data, size)) return 0;
    CBigFileReader reader;
    if (reader.Open(ScratchPath().c_str())) {
        std::uint8_t buffer[64];
        for (std::uint32_t id = 0; id < 24; ++id) {
            reader.FindIndex(id);
            reader.GetEntryType(id);
            reader.ReadEntry(id, buffer, sizeof buffer);
            LoadEverything(reader, id);
        }
    }
    return 0;
}

// The input is one blob, stored under id 1 of an archive.
inline int FuzzBlob(const std::uint8_t* data, std::size_t size) {
    vktools::BigFileWriter writer;
    writer.Add(1, 3, vktools::Bytes(data, data + size));
    const vktools::Bytes archive = writer.Build(vktools::BigFileWriter::IdForm::List);
    if (!WriteScratch(archive.data(), archive.size())) return 0;
    CBigFileReader reader;
    if (reader.Open(ScratchPath().c_str())) LoadEverything(reader, 1);
    if (size > 0) {
        auto* copy = new std::uint8_t[size];
        std::memcpy(copy, data, size);
        CBinRes res;
        res.InitFromMemory(0, copy, static_cast<std::uint32_t>(size), 1);
    }
    return 0;
}

inline void RemoveScratch() { unlink(host::ToHostPath(ScratchPath()).c_str()); }

}  // namespace fuzz
