// Turns the application's key state (CKeyMgr: presses and releases of the
// 21 game keys in this frame, the held keys, the last key, the time since
// the last press, the stylus) into script events for the character that
// takes keys. Stylus taps become keys too: on the bottom bar by quarters of
// the screen, and around a player character (types 2 and 3) by where they
// fall on its box; the text box (type 81) takes any other tap as select.
// Lifting the stylus releases the key its tap made, whoever takes the keys,
// also when the tap and the lift fall in one frame (the press event, then
// the release). A key pressed and let go in one frame sends its direction
// press, then its direction release. Owned by AZ_Client; its states
// persist across levels.
#pragma once

#include <cstdint>

class AZ_KeyManager {
public:
    static constexpr std::int32_t kKeys = 21;
    // Key states.
    static constexpr std::uint8_t kUp = 0;
    static constexpr std::uint8_t kPressed = 1;
    static constexpr std::uint8_t kHeld = 2;
    static constexpr std::uint8_t kReleased = 3;
    // Two presses of a row's keys at most this far apart are a double press.
    static constexpr std::int32_t kDoublePressMs = 450;

    AZ_KeyManager() = default;
    virtual ~AZ_KeyManager() = default;

    AZ_KeyManager(const AZ_KeyManager&) = delete;
    AZ_KeyManager& operator=(const AZ_KeyManager&) = delete;

    // Once a frame, before the engine's update: advances the key states
    // from the application's, then (with the view enabled) maps stylus taps
    // and sends the press, release and direction events to the presenter.
    void update(std::int32_t presenterId);
    // The press event of every held key's row, then the direction event.
    void sendHeldKeyEvents(std::int32_t presenterId);
    // Whether this manager's last key is still held.
    bool isKeyDown() const;
    bool isAnyKeyDown() const;
    bool isPressed(std::int32_t key) const { return stateOf(key) == kPressed; }
    bool isReleased(std::int32_t key) const { return stateOf(key) == kReleased; }

private:
    std::uint8_t stateOf(std::int32_t key) const { return key >= 0 && key < kKeys ? m_states[key] : kUp; }
    // Stylus taps made keys; false when the tap posted the back key and the
    // update ends. A key that the tap pressed and the lift let go in this
    // one frame comes back in *lifted (else -1), to be released once its
    // press is sent.
    bool mapPointer(std::int32_t presenterId, std::int32_t* lifted);
    void sendPresses(std::int32_t presenterId);
    void sendReleases(std::int32_t presenterId);
    // The direction presses of the keys in the mask pressed (bit k: key k
    // went down in this frame), then the direction releases.
    void sendDirections(std::int32_t presenterId, std::uint32_t pressed);

    std::uint8_t m_states[kKeys] = {};
    std::int32_t m_lastKey = -1;
    // The key the stylus's current press made, -1 none.
    std::int32_t m_tapKey = -1;
    std::uint8_t m_previousLastKey = 0;
    std::int32_t m_previousIdleTime = 0;
};
