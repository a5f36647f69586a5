// The media player over waveform audio and the vibrator: every sound plays on
// a device of its own; the vibration is one prioritised, timed state.
#pragma once

#include <cstdint>

#include "platform/shared/components/ICMediaPlayer.h"
#include "platform/shared/core/CLinkList.h"

class CSoundEvent;

class CMediaPlayer_WinMobile : public ICMediaPlayer {
public:
    // The new player, registered as the singleton; null when out of memory.
    static CMediaPlayer_WinMobile* Create();

    ~CMediaPlayer_WinMobile() override;

    void SetSoundEnabled(std::uint8_t enabled) override;
    void SetVibrationEnabled(std::uint8_t enabled) override;
    void SetVolume(std::uint32_t level) override;
    std::uint8_t IsSoundEnabled() override { return m_soundEnabled; }
    std::uint8_t IsVibrationEnabled() override { return m_vibrationEnabled; }
    std::uint8_t GetVolume() override { return m_volume; }
    bool IsSoundPlaying(std::uint32_t id) override;
    bool IsVibrating(std::uint32_t id) override;
    std::uint32_t PlaySound(const std::uint8_t* pcm, std::uint32_t pcmSize, std::uint32_t unused,
                            std::uint8_t priority) override;
    void StopSound(std::uint32_t id) override;
    std::uint32_t Vibrate(std::uint32_t durationMs, std::uint8_t priority) override;
    void StopVibrate(std::uint32_t id) override;
    void PauseAll() override;
    void ResumeAll() override;
    void Update(std::uint32_t dtMs) override;
    void StopSoundsUsing(const std::uint8_t* pcm) override;

    // The device volume of a level 0-10: the same 16 bits for left and right.
    static std::uint32_t VolumeWord(std::uint8_t level);

private:
    CMediaPlayer_WinMobile() = default;

    // Closes, unlinks and deletes every listed sound for which stop is true.
    template <typename Predicate>
    void StopSounds(Predicate stop);
    // Applies an action to every listed sound.
    template <typename Action>
    void ForEachSound(Action action);

    std::uint8_t m_soundEnabled = 1;
    std::uint8_t m_vibrationEnabled = 1;
    std::uint8_t m_volume = 10;
    std::uint32_t m_lastId = 0;
    CLinkList m_sounds;  // newest first
    CLinkList m_spare;   // closed, to play the next sounds
    std::uint32_t m_vibrationId = 0;  // 0: none
    std::uint8_t m_vibrationPriority = 255;
    std::int32_t m_vibrationTimeLeft = 0;
    std::uint8_t m_vibrating = 0;  // the start call succeeded and no stop followed
};
