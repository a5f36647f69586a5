// Per-frame key state that game code polls. The application passes every
// event to HandleEvent (after its own remapping), calls Tick at the start of
// each Update and EndFrame after it. Keys are counted as 21 game keys, 0 to
// 20 (0 = no key): how often each went down and up since the last end of
// frame, which are held and for how long, the last one pressed, the time
// since any key went down, and the last pointer position.
#pragma once

#include <cstdint>

class CDeviceConfig;

class CKeyMgr {
public:
    static constexpr std::int32_t kGameKeyCount = 21;

    // Pointer flags: bits only accumulate until a reader clears them.
    static constexpr std::uint32_t kPointerDown = 2;
    static constexpr std::uint32_t kPointerMove = 4;
    static constexpr std::uint32_t kPointerUp = 8;

    // The configuration gives ONLY_ONE_KEY_PRESS and the key map; it must
    // outlive the key manager.
    explicit CKeyMgr(const CDeviceConfig& config) : m_config(config) {}
    virtual ~CKeyMgr() = default;
    CKeyMgr(const CKeyMgr&) = delete;
    CKeyMgr& operator=(const CKeyMgr&) = delete;

    // 1 when the event was consumed: key events and the resume-like events.
    virtual std::uint32_t HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2);
    // Advances the idle time and the hold times of the held keys; the hold
    // time of every other key becomes 0.
    void Tick(std::int32_t dtMs);
    // Clears the press and release counts.
    void EndFrame();

    // Per-key accessors take game keys 0 to 20; other keys read 0 and
    // write nothing.
    std::int8_t GetPressCount(std::int32_t key) const;
    std::int8_t GetReleaseCount(std::int32_t key) const;
    bool IsKeyHeld(std::int32_t key) const;
    std::uint32_t GetHoldTime(std::int32_t key) const;
    void SetHoldTime(std::int32_t key, std::uint32_t ms);
    bool IsAnyKeyHeld() const { return m_heldMask != 0; }
    bool IsAnyKeyPressed() const;
    bool IsAnyKeyReleased() const;
    // Milliseconds since the last key-down event; stops at the largest value.
    std::int32_t GetIdleTime() const { return m_idleTime; }
    // Game key of the last counted key-down; 0 after a cancelled frame.
    std::uint8_t GetLastKey() const { return m_lastKey; }
    // The engine's key manager makes its stylus taps keys of their own.
    void SetLastKey(std::uint8_t key) { m_lastKey = key; }
    void SetIdleTime(std::int32_t ms) { m_idleTime = ms; }
    std::uint32_t GetHeldMask() const { return m_heldMask; }
    void SetHeldMask(std::uint32_t mask) { m_heldMask = mask; }

    // The pointer's last position (back-buffer pixels) and its flags;
    // screens and the engine clear the flags they have acted on.
    std::int32_t GetPointerX() const { return m_pointerX; }
    std::int32_t GetPointerY() const { return m_pointerY; }
    std::uint32_t GetPointerFlags() const { return m_pointerFlags; }
    void SetPointerFlags(std::uint32_t flags) { m_pointerFlags = flags; }
    // A tap not yet acted on: the pointer went down since a screen last
    // cleared it.
    bool HasPendingTap() const { return (m_pointerFlags & kPointerDown) != 0; }
    void ClearPendingTap() { m_pointerFlags &= ~kPointerDown; }
    // Clears a pending tap; true when there was one.
    bool TakePendingTap() {
        const bool pending = HasPendingTap();
        ClearPendingTap();
        return pending;
    }

    // The game key of a key code; 0 for codes without one (the back key 12
    // among them).
    static std::int32_t MapKey(std::uint16_t code);
    // The key code that the first key-map pair for this device code gives,
    // letters matching in either case; the code itself without a match.
    std::uint16_t RemapDeviceKey(std::uint16_t code) const;

private:
    static bool IsGameKey(std::int32_t key) { return key >= 0 && key < kGameKeyCount; }
    void ClearCounts();

    const CDeviceConfig& m_config;
    std::int32_t m_idleTime = 0;
    std::uint8_t m_lastKey = 0;
    std::int8_t m_pressCounts[kGameKeyCount] = {};
    std::int8_t m_releaseCounts[kGameKeyCount] = {};
    std::uint32_t m_holdTimes[kGameKeyCount] = {};
    std::uint32_t m_heldMask = 0;
    std::int32_t m_pointerX = 0;
    std::int32_t m_pointerY = 0;
    std::uint32_t m_pointerFlags = 0;
};
