// Sound effects and vibration: the platform singleton. Sounds and
// vibrations get ids from one increasing counter; an id of 0 means "none",
// or "all" where an operation takes one.
#pragma once

#include <cstdint>

#include "platform/shared/components/CSingleton.h"

class ICMediaPlayer : public CSingleton {
public:
    static constexpr std::uint32_t kClassId = 0xF4F71410;

    // The player, created on first use; null without an application object.
    static ICMediaPlayer* GetInstance();

    // Clears the application's cached pointer.
    ~ICMediaPlayer() override;

    // Disabling sound stops every sound; disabling vibration stops it.
    virtual void SetSoundEnabled(std::uint8_t enabled) = 0;
    virtual void SetVibrationEnabled(std::uint8_t enabled) = 0;
    // Level 0-10 (larger values give 10); applied to every playing sound.
    virtual void SetVolume(std::uint32_t level) = 0;
    virtual std::uint8_t IsSoundEnabled() = 0;
    virtual std::uint8_t IsVibrationEnabled() = 0;
    virtual std::uint8_t GetVolume() = 0;
    virtual bool IsSoundPlaying(std::uint32_t id) = 0;
    virtual bool IsVibrating(std::uint32_t id) = 0;
    // Plays 8000 Hz mono 16-bit PCM (the payload of a decoded sound
    // resource), which must stay alive while the sound plays (see
    // StopSoundsUsing). Returns the sound's id, 0 when nothing started.
    virtual std::uint32_t PlaySound(const std::uint8_t* pcm, std::uint32_t pcmSize, std::uint32_t unused,
                                    std::uint8_t priority) = 0;
    virtual void StopSound(std::uint32_t id) = 0;
    // A lower priority value is a stronger claim. Returns the vibration's id,
    // 0 when refused.
    virtual std::uint32_t Vibrate(std::uint32_t durationMs, std::uint8_t priority) = 0;
    virtual void StopVibrate(std::uint32_t id) = 0;
    virtual void PauseAll() = 0;
    virtual void ResumeAll() = 0;
    // Reaps finished sounds and counts the vibration's time down.
    virtual void Update(std::uint32_t dtMs) = 0;
    // Stops every sound that plays from this PCM buffer: called before the
    // buffer is freed.
    virtual void StopSoundsUsing(const std::uint8_t* pcm) = 0;

protected:
    ICMediaPlayer() : CSingleton(kClassId) {}
};
