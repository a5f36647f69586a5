// Game-wide values outside the levels: the two sounds played outside play
// (held by the root node while it is initialised; they stay the resource
// manager's), whether the current game was started from the level menu, and
// the number a closing text page shows.
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"

class CBinRes;

class CGameData : public CClass {
public:
    CGameData() = default;
    ~CGameData() override = default;
    CGameData(const CGameData&) = delete;
    CGameData& operator=(const CGameData&) = delete;

    void SetSplashSound(CBinRes* sound) { m_splashSound = sound; }
    CBinRes* GetSplashSound() const { return m_splashSound; }
    void SetTitleSound(CBinRes* sound) { m_titleSound = sound; }
    CBinRes* GetTitleSound() const { return m_titleSound; }
    void SetLevelSelected(std::uint8_t selected) { m_levelSelected = selected; }
    std::uint8_t IsLevelSelected() const { return m_levelSelected; }
    std::int32_t GetShownNumber() const { return m_counter; }

private:
    CBinRes* m_splashSound = nullptr;
    CBinRes* m_titleSound = nullptr;
    std::uint8_t m_levelSelected = 0;
    std::int32_t m_counter = 0;
};
