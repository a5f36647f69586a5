#include "platform/shared/win32/CSoundEvent.h"

CSoundEvent::~CSoundEvent() { Close(); }

void CSoundEvent::Set(std::uint32_t id, std::uint32_t, std::uint8_t priority) {
    m_id = id;
    m_priority = priority;
}

MMRESULT CSoundEvent::Open(const std::uint8_t* pcm, std::uint32_t pcmSize, WORD channels, DWORD samplesPerSec,
                           WORD bitsPerSample) {
    // A closed sound plays again from a fresh header.
    m_header = WAVEHDR{};
    m_done.store(0);
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = channels;
    format.nSamplesPerSec = samplesPerSec;
    format.nBlockAlign = static_cast<WORD>(bitsPerSample / 8 * channels);
    format.nAvgBytesPerSec = samplesPerSec * format.nBlockAlign;
    format.wBitsPerSample = bitsPerSample;
    HWAVEOUT device = nullptr;
    const MMRESULT result = waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(&OnWaveOut),
                                        reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION);
    if (result != MMSYSERR_NOERROR) return result;
    m_device = device;
    // The device only reads the buffer.
    m_header.lpData = const_cast<char*>(reinterpret_cast<const char*>(pcm));
    m_header.dwBufferLength = pcmSize;
    waveOutPrepareHeader(m_device, &m_header, sizeof m_header);
    return result;
}

void CSoundEvent::Play() {
    if (m_device != nullptr) waveOutWrite(m_device, &m_header, sizeof m_header);
}

void CSoundEvent::Pause() {
    if (m_device != nullptr) waveOutPause(m_device);
}

void CSoundEvent::Resume() {
    if (m_device != nullptr) waveOutRestart(m_device);
}

void CSoundEvent::SetVolume(DWORD volume) {
    if (m_device != nullptr) waveOutSetVolume(m_device, volume);
}

void CSoundEvent::Close() {
    m_done.store(1);
    if (m_device == nullptr) return;
    waveOutReset(m_device);
    waveOutUnprepareHeader(m_device, &m_header, sizeof m_header);
    waveOutClose(m_device);
    m_device = nullptr;
}

void CSoundEvent::OnWaveOut(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR) {
    if (message == WOM_DONE) reinterpret_cast<CSoundEvent*>(instance)->m_done.store(1);
}
