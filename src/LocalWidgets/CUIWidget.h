// Base of every visible widget: colours, alignment, the transparent,
// focusable and selectable capabilities, focus and selection, the list node
// and order by which a container keeps it, key dispatch, and the commands
// (accept, back, value changed) that travel up the tree and leave its root
// as application events posted through the platform core.
#pragma once

#include <cstdint>

#include "platform/shared/core/CLinkList.h"
#include "src/LocalWidgets/CWidget.h"

class CUIWidget : public CWidget {
public:
    static constexpr std::uint32_t kClassId = 0x1C1F21F2;

    enum Alignment : std::uint32_t {
        kAlignLeft = 1,
        kAlignHCentre = 2,
        kAlignRight = 4,
        kAlignTop = 16,
        kAlignVCentre = 32,
        kAlignBottom = 64,
    };

    // Key codes of EVENT_KEY_PRESS after the application's key mapping.
    enum Key : std::uint16_t {
        kKeyUp = 4,
        kKeyDown = 5,
        kKeyLeft = 6,
        kKeyRight = 7,
        kKeySelect = 11,
        kKeyBack = 12,
        kKeyLeftSoft = 15,
        kKeyRightSoft = 16,
    };

    enum ScrollDirection : std::uint16_t { kScrollUp = 1, kScrollDown = 2 };

    CUIWidget() { SetClassId(kClassId); }
    // Leaves the container list that holds the widget; the parent that
    // remembers it (as its focused child, say) forgets it.
    ~CUIWidget() override;

    bool HandleEvent(std::uint32_t id, std::uint16_t p16, std::uintptr_t p32) override;
    bool OnChildNotify(std::uint32_t code, std::uint16_t p16, std::uintptr_t p32) override;

    // Set the state bit only on a widget that has the capability; clear it
    // otherwise. Both invalidate and return true.
    virtual bool SetFocused(bool focused);
    virtual bool SetSelected(bool selected);
    // Passes the request to the parent.
    virtual bool OnScrollRequest(std::uint16_t direction, std::uint32_t amount);
    virtual bool OnKeyDown(std::uint16_t key, std::uintptr_t p32);
    virtual bool OnKeyOther(std::uint16_t key);
    // Called by a child's destructor: drops every pointer kept to it.
    virtual void ForgetChild(CUIWidget*) {}

    void SetColours(std::uint32_t background, std::uint32_t foreground, std::uint32_t highlight);
    std::uint32_t GetBackgroundColour() const { return m_background; }
    std::uint32_t GetForegroundColour() const { return m_foreground; }
    std::uint32_t GetHighlightColour() const { return m_highlight; }
    void SetAlignment(std::uint32_t flags);
    std::uint32_t GetAlignment() const { return m_alignment; }

    void SetTransparent(bool transparent);
    bool IsTransparent() const { return (GetCapabilities() & kTransparent) != 0; }
    void SetFocusable(bool focusable);
    bool IsFocusable() const { return (GetCapabilities() & kFocusable) != 0; }
    void SetSelectable(bool selectable);
    bool IsSelectable() const { return (GetCapabilities() & kSelectable) != 0; }

    void Focus(bool focused) { SetFocused(focused); }
    void Select(bool selected) { SetSelected(selected); }
    bool IsFocused() const { return IsFocusable() && (GetStateFlags() & kFocused) != 0; }
    bool IsSelected() const { return IsSelectable() && (GetStateFlags() & kSelected) != 0; }

    CLinkListNode& GetListNode() { return m_listNode; }
    void SetOrder(std::int32_t order) { m_order = order; }
    std::int32_t GetOrder() const { return m_order; }

    // Left (top) position of an item of the given extent inside [start, end]
    // by the horizontal (vertical) flags; the centre flag wins over the far
    // one, and half of an odd span rounds towards minus infinity.
    std::int32_t AlignX(std::int32_t left, std::int32_t right, std::int32_t width) const;
    std::int32_t AlignY(std::int32_t top, std::int32_t bottom, std::int32_t height) const;

protected:
    // Fills the screen rect with the background colour unless transparent.
    void FillBackground();
    // Fills the screen rect less an eighth of its width on either side with
    // the highlight colour: the focus bar of texts and items.
    void FillHighlightBar();
    // Fills the part of rect inside the screen rect.
    void FillClipped(CRect rect, std::uint32_t colour);
    // The child's local rect moved by this widget's screen origin and
    // clipped to its screen rect.
    CRect ChildScreenRect(CWidget* child);
    // Gives the child that screen rect, and as its clip offsets the part of
    // it that this widget's own clip offsets hide.
    void PlaceChild(CWidget* child);
    // The render surface's size; without a surface the assertion at source
    // and line fails.
    static void GetSurfaceSize(std::int32_t* width, std::int32_t* height, const char* source, int line);
    // The platform core's default bar thickness (0 without a core).
    static std::int32_t PlatformThickness();

private:
    std::uint32_t m_background = 0xFF000000;
    std::uint32_t m_foreground = 0xFFFFFFFF;
    std::uint32_t m_highlight = 0xFFFFFFFF;
    std::uint32_t m_alignment = kAlignLeft | kAlignTop;
    CLinkListNode m_listNode;
    std::int32_t m_order = 0;
};
