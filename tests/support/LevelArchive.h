// A level's resources in an archive that the tools/ writers build, read
// back as the resource manager reads them (blobs by id, images made from
// their BMP blobs with the application's blitter) and handed to the game
// adapter through its services, which record every call.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/shared/components/CBigFileReader.h"
#include "platform/shared/components/CBinRes.h"
#include "src/game/AZ_AdapterServices.h"
#include "tests/support/TempDir.h"
#include "tools/BigFileWriter.h"

class LevelArchive : public AZ_AdapterServices {
public:
    // The payload of the resource, stored under the entry of the id's low
    // 15 bits (an image's payload is a BMP file).
    void Add(std::uint32_t id, const vktools::Bytes& payload);

    CBinRes* getData(std::uint32_t id) override;
    void releaseData(std::uint32_t id) override;
    CImage* createImage(std::uint32_t id) override;
    std::int32_t getSavedCharacter() override { return savedCharacter; }

    std::int32_t savedCharacter = 0;
    // "data 0x03000103", "release 0x03000103", "image 0x02000100", in order.
    std::vector<std::string> calls;

private:
    void Record(const char* call, std::uint32_t id);
    bool Load(std::uint32_t id, const char* call, CBinRes* blob);

    TempDir m_dir;
    vktools::BigFileWriter m_writer;
    CBigFileReader m_reader;
    bool m_open = false;
    std::map<std::uint32_t, std::unique_ptr<CBinRes>> m_held;
};
