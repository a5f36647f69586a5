// The application event record and the ids of the events the applet posts.
// The application framework, the widget toolkit and the engine post further
// ids into the same queue.
#pragma once

#include <cstdint>

struct SystemEvent {
    std::uint32_t id = 0;
    std::uint16_t param1 = 0;  // key code, button number or button mask
    std::uintptr_t param2 = 0;  // packed stylus position, or a widget pointer
};

constexpr std::uint32_t EVENT_START = 0x67542658;
constexpr std::uint32_t EVENT_RESUME = 0x75424363;
constexpr std::uint32_t EVENT_REDRAW = 0x24314258;
constexpr std::uint32_t EVENT_SUSPEND = 0x54246DE3;
constexpr std::uint32_t EVENT_CLOSE = 0x36754280;
constexpr std::uint32_t EVENT_DISPLAY_CHANGED = 0x747AB255;
constexpr std::uint32_t EVENT_SETTINGS_CHANGED = 0x32B482C3;
constexpr std::uint32_t EVENT_KEY_DOWN = 0xC7424BE6;
constexpr std::uint32_t EVENT_KEY_PRESS = 0x00007D29;
constexpr std::uint32_t EVENT_KEY_UP = 0x43A39818;
constexpr std::uint32_t EVENT_POINTER_DOWN = 0x8918794C;
constexpr std::uint32_t EVENT_POINTER_UP = 0x52A91971;
constexpr std::uint32_t EVENT_POINTER_DOUBLE = 0x7B8428CD;
constexpr std::uint32_t EVENT_POINTER_MOVE = 0x8251B8DE;
// Posted by the action engine when a script interrupts play.
constexpr std::uint32_t EVENT_GAME_INTERRUPT_1 = 0x42359;
constexpr std::uint32_t EVENT_GAME_INTERRUPT_3 = 0x42360;
constexpr std::uint32_t EVENT_GAME_INTERRUPT_4 = 0x42361;

// Ids the application handles but this program never posts.
constexpr std::uint32_t EVENT_RESUME_2 = 0x6740942F;         // handled like EVENT_RESUME
constexpr std::uint32_t EVENT_PAUSE_REQUEST_2 = 0x8408F369;  // handled like EVENT_SUSPEND
constexpr std::uint32_t EVENT_PAUSE_REQUEST = 0x5152A73B;
constexpr std::uint32_t EVENT_CLAMSHELL = 0x518E1A3B;  // the clamshell was closed

// Commands leaving the widget tree at its root (param2: the widget), and the
// tree's second key event.
constexpr std::uint32_t EVENT_WIDGET_ACCEPT = 0x07B18A47;
constexpr std::uint32_t EVENT_WIDGET_BACK = 0x21204844;
constexpr std::uint32_t EVENT_WIDGET_CHANGED = 0x3ED25C89;
constexpr std::uint32_t EVENT_WIDGET_KEY = 0x00005E62;
