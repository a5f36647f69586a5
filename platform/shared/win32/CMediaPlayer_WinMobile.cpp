#include "platform/shared/win32/CMediaPlayer_WinMobile.h"

#include <new>

#include "host/Vibrate.h"
#include "platform/shared/win32/CSoundEvent.h"

namespace {

// Every sound plays as 8000 Hz mono 16-bit PCM.
constexpr WORD kChannels = 1;
constexpr DWORD kSamplesPerSec = 8000;
constexpr WORD kBitsPerSample = 16;
constexpr std::uint8_t kMaxVolume = 10;
constexpr std::uint8_t kNoPriority = 255;

CSoundEvent* AsSound(CLinkListNode* node) { return static_cast<CSoundEvent*>(node); }

}  // namespace

CMediaPlayer_WinMobile* CMediaPlayer_WinMobile::Create() { return new (std::nothrow) CMediaPlayer_WinMobile(); }

CMediaPlayer_WinMobile::~CMediaPlayer_WinMobile() {
    StopSound(0);
    StopVibrate(0);
    while (CLinkListNode* node = m_spare.GetHead()) {
        m_spare.Remove(node);
        delete AsSound(node);
    }
}

std::uint32_t CMediaPlayer_WinMobile::VolumeWord(std::uint8_t level) {
    if (level == 0) return 0;
    const std::uint32_t v = std::uint32_t{level} * 65535 / 10;
    return v | (v << 16);
}

template <typename Predicate>
void CMediaPlayer_WinMobile::StopSounds(Predicate stop) {
    for (CLinkListNode* node = m_sounds.GetHead(); node != nullptr;) {
        CLinkListNode* next = node->GetNext();
        CSoundEvent* sound = AsSound(node);
        if (stop(*sound)) {
            sound->Close();
            m_sounds.Remove(sound);
            m_spare.AddHead(sound, nullptr);
        }
        node = next;
    }
}

template <typename Action>
void CMediaPlayer_WinMobile::ForEachSound(Action action) {
    for (CLinkListNode* node = m_sounds.GetHead(); node != nullptr; node = node->GetNext()) action(*AsSound(node));
}

void CMediaPlayer_WinMobile::SetSoundEnabled(std::uint8_t enabled) {
    m_soundEnabled = enabled;
    if (!enabled) StopSound(0);
}

void CMediaPlayer_WinMobile::SetVibrationEnabled(std::uint8_t enabled) {
    m_vibrationEnabled = enabled;
    if (!enabled) StopVibrate(0);
}

void CMediaPlayer_WinMobile::SetVolume(std::uint32_t level) {
    const auto low = static_cast<std::uint8_t>(level & 0xFF);
    m_volume = low < kMaxVolume ? low : kMaxVolume;
    const std::uint32_t word = VolumeWord(m_volume);
    ForEachSound([word](CSoundEvent& sound) { sound.SetVolume(word); });
}

bool CMediaPlayer_WinMobile::IsSoundPlaying(std::uint32_t id) {
    for (CLinkListNode* node = m_sounds.GetHead(); node != nullptr; node = node->GetNext()) {
        const CSoundEvent* sound = AsSound(node);
        if (sound->IsPlaying() && (id == 0 || id == sound->GetId())) return true;
    }
    return false;
}

bool CMediaPlayer_WinMobile::IsVibrating(std::uint32_t id) {
    return id == 0 ? m_vibrationId != 0 : id == m_vibrationId;
}

std::uint32_t CMediaPlayer_WinMobile::PlaySound(const std::uint8_t* pcm, std::uint32_t pcmSize, std::uint32_t unused,
                                                std::uint8_t priority) {
    if (!m_soundEnabled || pcm == nullptr) return 0;
    const std::uint32_t id = ++m_lastId;
    // A finished sound's event plays the next one: playing allocates nothing
    // once as many sounds as ever play at once have played.
    CSoundEvent* sound = AsSound(m_spare.GetHead());
    if (sound != nullptr) {
        m_spare.Remove(sound);
    } else if ((sound = new (std::nothrow) CSoundEvent()) == nullptr) {
        return 0;
    }
    sound->Set(id, unused, priority);
    // A sound without a device would never complete: it is not kept.
    if (sound->Open(pcm, pcmSize, kChannels, kSamplesPerSec, kBitsPerSample) != MMSYSERR_NOERROR) {
        m_spare.AddHead(sound, nullptr);
        return 0;
    }
    sound->SetVolume(VolumeWord(m_volume));
    sound->Play();
    m_sounds.AddHead(sound, nullptr);
    return id;
}

void CMediaPlayer_WinMobile::StopSound(std::uint32_t id) {
    StopSounds([id](const CSoundEvent& sound) { return id == 0 || sound.GetId() == id; });
}

void CMediaPlayer_WinMobile::StopSoundsUsing(const std::uint8_t* pcm) {
    StopSounds([pcm](const CSoundEvent& sound) { return sound.GetPcm() == pcm; });
}

std::uint32_t CMediaPlayer_WinMobile::Vibrate(std::uint32_t durationMs, std::uint8_t priority) {
    if (!m_vibrationEnabled || durationMs == 0) return 0;
    // Longer than the counter holds: as long as it can count.
    const auto duration = static_cast<std::int32_t>(durationMs > 0x7FFFFFFF ? 0x7FFFFFFF : durationMs);
    if (!IsVibrating(0)) {
        if (::Vibrate(0, nullptr, TRUE, INFINITE) != S_OK) return 0;
        m_vibrationTimeLeft = duration;
    } else if (priority <= m_vibrationPriority) {
        // A claim at least as strong takes the vibration over; the earlier id
        // is no longer vibrating and the vibrator keeps running.
        if (duration > m_vibrationTimeLeft) m_vibrationTimeLeft = duration;
    } else {
        return 0;
    }
    m_vibrationId = ++m_lastId;
    m_vibrationPriority = priority;
    m_vibrating = 1;
    return m_vibrationId;
}

void CMediaPlayer_WinMobile::StopVibrate(std::uint32_t id) {
    if (!((id == 0 && IsVibrating(0)) || id == m_vibrationId)) return;
    if (m_vibrating) VibrateStop();
    m_vibrationId = 0;
    m_vibrationPriority = kNoPriority;
    m_vibrationTimeLeft = 0;
    m_vibrating = 0;
}

void CMediaPlayer_WinMobile::PauseAll() {
    ForEachSound([](CSoundEvent& sound) { sound.Pause(); });
    StopVibrate(0);
}

void CMediaPlayer_WinMobile::ResumeAll() {
    ForEachSound([](CSoundEvent& sound) { sound.Resume(); });
}

void CMediaPlayer_WinMobile::Update(std::uint32_t dtMs) {
    StopSounds([](const CSoundEvent& sound) { return !sound.IsPlaying(); });
    if (!IsVibrating(0)) return;
    const std::int64_t left = std::int64_t{m_vibrationTimeLeft} - dtMs;
    if (left <= 0) {
        StopVibrate(0);
    } else {
        m_vibrationTimeLeft = static_cast<std::int32_t>(left);
    }
}
