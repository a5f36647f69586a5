// The game adapter's level resources and saved character, from the
// application's resource and save-game managers.
#pragma once

#include "src/game/AZ_AdapterServices.h"

class CAdapterServices : public AZ_AdapterServices {
public:
    // GetData; the release frees the resource from the cache at once.
    CBinRes* getData(std::uint32_t id) override;
    void releaseData(std::uint32_t id) override;
    // A new image of the resource, not cached.
    CImage* createImage(std::uint32_t id) override;
    std::int32_t getSavedCharacter() override;
};
