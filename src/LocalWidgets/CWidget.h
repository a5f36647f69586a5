// Root of the retained widget tree of the menu screens. A widget keeps its
// geometry, a state word with three dirty bits (size, layout, paint) and a
// link to its parent. A change marks the widget dirty and notifies the
// parent, which marks itself and notifies its own parent, up to the root;
// the root's next Paint measures, lays out and draws what is dirty, top
// down. Events travel down through DispatchEvent, notifications up through
// Notify and the parent's DispatchNotify.
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"
#include "platform/shared/graphics/2d/CRect.h"

class CWidget : public CClass {
public:
    static constexpr std::uint32_t kClassId = 0x361F2124;

    enum State : std::uint32_t {
        kEnabled = 0x1,
        kVisible = 0x2,
        kFocused = 0x4,
        kSelected = 0x8,
        kPaintDirty = 0x10,
        kSizeDirty = 0x100,
        kMeasuring = 0x200,
        kLayoutDirty = 0x400,
        kLayingOut = 0x800,
        kPainting = 0x1000,
    };
    static constexpr std::uint32_t kInitialState = kLayoutDirty | kSizeDirty | kPaintDirty | kVisible | kEnabled;

    // Capability word, interpreted by CUIWidget.
    enum Capability : std::uint32_t { kTransparent = 0x1, kFocusable = 0x2, kSelectable = 0x4 };

    // Notification codes sent upward with Notify.
    enum Notification : std::uint32_t {
        kNotifySize = 1,
        kNotifyLayout = 2,
        kNotifyPaint = 3,
        kNotifyScroll = 4,  // p16: 1 up, 2 down; p32: pixels
        kNotifyAccept = 5,  // p32: the widget
        kNotifyBack = 6,
        kNotifyChanged = 7,
    };

    // A measured size of kFill takes all the space the parent offers.
    static constexpr std::int32_t kFill = -100;

    enum PaintPhase : std::int32_t { kBeforeDraw = 1, kAfterDraw = 2 };
    using PaintCallback = void (*)(CWidget* widget, std::int32_t phase, void* data);

    CWidget() : CClass(kClassId) {}
    // The parent and the callback are not owned.
    ~CWidget() override = default;

    CWidget(const CWidget&) = delete;
    CWidget& operator=(const CWidget&) = delete;

    // Hands the notification to the parent's DispatchNotify; nothing for a
    // root.
    virtual void Notify(std::uint32_t code, std::uint16_t p16, std::uintptr_t p32);
    // Sets the measured size; the base measures 0 x 0.
    virtual void Measure() {}
    // Gives each child its screen rect; the base has none.
    virtual void Layout() {}
    // Draws through the graphics device.
    virtual void Draw() {}
    // Each marks its dirty bit and notifies the parent (true), unless the
    // widget is doing that very work (false, nobody notified).
    virtual bool InvalidateSize();
    virtual bool InvalidateLayout();
    virtual bool Invalidate();
    // dt: milliseconds since the last frame. True when the widget changed.
    virtual bool Update(std::uint32_t dt);
    virtual bool HandleEvent(std::uint32_t id, std::uint16_t p16, std::uintptr_t p32);
    virtual bool OnChildNotify(std::uint32_t code, std::uint16_t p16, std::uintptr_t p32);

    void SetId(std::uint32_t id) { m_id = id; }
    std::uint32_t GetId() const { return m_id; }
    std::uint32_t GetStateFlags() const { return m_state; }
    std::uint32_t GetCapabilities() const { return m_capabilities; }

    void SetEnabled(bool enabled);
    void SetVisible(bool visible);
    bool IsEnabled() const { return (m_state & kEnabled) != 0; }
    bool IsVisible() const { return (m_state & kVisible) != 0; }
    void MarkDirty() { Invalidate(); }

    // Only containers set the parent.
    void SetParent(CWidget* parent) { m_parent = parent; }
    CWidget* GetParent() const { return m_parent; }

    void SetLocalRect(const CRect& rect);
    // Measures first when the size is dirty.
    const CRect& GetLocalRect();
    std::int32_t GetMeasuredWidth();
    std::int32_t GetMeasuredHeight();
    void SetScreenRect(const CRect& rect);
    // Lays out first when the layout is dirty.
    const CRect& GetScreenRect();

    void SetClipOffsetX(std::int32_t offset);
    void SetClipOffsetY(std::int32_t offset);
    std::int32_t GetClipOffsetX() const { return m_clipOffsetX; }
    std::int32_t GetClipOffsetY() const { return m_clipOffsetY; }

    void SetPaintCallback(PaintCallback callback, void* data);
    // Leaves an output alone when its pointer is null.
    void GetPaintCallback(PaintCallback* callback, void** data) const;

    // True when they did work.
    bool EnsureMeasured();
    bool EnsureLaidOut();
    // Measures and lays out as needed, then draws an enabled, visible,
    // paint-dirty widget (true). Children are painted by their container's
    // Draw.
    bool Paint();

    bool UpdateIfEnabled(std::uint32_t dt);
    // The redraw-like events invalidate even a disabled widget; any other
    // event reaches HandleEvent only when the widget is enabled.
    bool DispatchEvent(std::uint32_t id, std::uint16_t p16, std::uintptr_t p32);
    // Codes 1 to 3 invalidate this widget; others go to OnChildNotify when
    // it is enabled and are swallowed when it is not.
    bool DispatchNotify(std::uint32_t code, std::uint16_t p16, std::uintptr_t p32);

protected:
    void SetStateBits(std::uint32_t bits, bool on) { m_state = on ? (m_state | bits) : (m_state & ~bits); }
    void SetCapabilityBits(std::uint32_t bits, bool on) {
        m_capabilities = on ? (m_capabilities | bits) : (m_capabilities & ~bits);
    }
    void SetMeasuredSize(std::int32_t width, std::int32_t height) {
        m_measuredWidth = width;
        m_measuredHeight = height;
    }
    // The stored rects, without measuring or laying out.
    const CRect& LocalRect() const { return m_localRect; }
    const CRect& ScreenRect() const { return m_screenRect; }

private:
    std::uint32_t m_id = 0;
    std::uint32_t m_capabilities = 0;
    std::uint32_t m_state = kInitialState;
    PaintCallback m_paintCallback = nullptr;
    void* m_paintCallbackData = nullptr;
    CWidget* m_parent = nullptr;
    CRect m_localRect;
    std::int32_t m_measuredWidth = 0;
    std::int32_t m_measuredHeight = 0;
    CRect m_screenRect;
    std::int32_t m_clipOffsetX = 0;
    std::int32_t m_clipOffsetY = 0;
};

// A rectangle from wider sums, each stored back in 16 bits.
inline CRect WidgetRect(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
    return CRect(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), static_cast<std::int16_t>(w),
                 static_cast<std::int16_t>(h));
}

// A widget as the pointer-wide parameter of a notification or event.
inline std::uintptr_t WidgetParam(const CWidget* widget) { return reinterpret_cast<std::uintptr_t>(widget); }
