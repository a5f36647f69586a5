// One playing sound: a waveOut device of its own with one queued buffer of
// 8000 Hz mono 16-bit PCM. The completion function runs on the audio thread
// and only marks the sound done; everything else runs on the main thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "host/WaveOut.h"
#include "platform/shared/core/CLinkList.h"

class CSoundEvent : public CLinkListNode {
public:
    CSoundEvent() = default;
    // Closes the device first: the buffer is not read once this returns.
    ~CSoundEvent() override;

    void Set(std::uint32_t id, std::uint32_t unused, std::uint8_t priority);
    // Opens a device for the format and prepares the PCM (not owned: it must
    // outlive the open device); a closed sound may be opened again. Returns
    // the platform result, 0 on success.
    MMRESULT Open(const std::uint8_t* pcm, std::uint32_t pcmSize, WORD channels, DWORD samplesPerSec,
                  WORD bitsPerSample);
    void Play();
    void Pause();
    void Resume();
    void SetVolume(DWORD volume);
    bool IsPlaying() const { return m_done.load() == 0; }
    std::uint32_t GetId() const { return m_id; }
    // The PCM buffer the sound plays (null before a successful Open).
    const std::uint8_t* GetPcm() const { return reinterpret_cast<const std::uint8_t*>(m_header.lpData); }
    // Marks the sound done, stops and closes its device.
    void Close();

private:
    static void OnWaveOut(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);

    std::uint32_t m_id = 0;
    std::uint8_t m_priority = 0;  // kept, not consulted
    HWAVEOUT m_device = nullptr;  // null unless open
    WAVEHDR m_header{};
    // Written by the audio thread's completion, read by the main thread.
    std::atomic<std::uint8_t> m_done{0};
};
