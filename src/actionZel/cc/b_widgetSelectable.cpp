#include "src/actionZel/cc/b_widgetSelectable.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_boundingBox.h"
#include "src/actionZel/cc/b_child.h"

namespace {

constexpr std::int32_t kContainer = 64, kSelectable = 65, kScroll = 66, kMoveTo = 67, kCursor = 70;
constexpr std::int32_t kPreviousFocus = 71;
constexpr std::int32_t kChild = 2, kBoundingBox = 27;
constexpr std::int32_t kFocused = 359;
constexpr std::int32_t kPaused = 1;
constexpr const char* kSource = AZ_UNIT_SOURCE(b_widgetSelectable);

// Presenter id of the first item of the selectable's group, or -1.
std::int32_t FirstItem(std::int32_t selectable) {
    const AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t row = client->findCharacterByType(b_widgetSelectable_getItemType(selectable));
    return row == -1 ? -1 : client->getPresenterOfRow(row);
}

}  // namespace

void b_widgetContainer_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kContainer, presenter, codeSlot, kSource, __LINE__);
}

// Runs after the selectable of the same character, so it finds the focus
// at -1 only while the selectable is paused.
void b_widgetContainer_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kContainer, presenter, codeSlot, kSource, __LINE__);
    const std::int32_t selectable = presenter->findCodeSlot(kSelectable);
    if (selectable == -1 || b_widgetSelectable_getFocus(selectable) != -1) return;
    const std::int32_t first = FirstItem(selectable);
    if (first == -1) return;
    b_widgetSelectable_setFocus(selectable, first);
    AZ_Client::getInstance()->sendEvent(first, kFocused);
}

void b_widgetContainer_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kContainer, presenter, codeSlot, kSource, __LINE__);
}

void b_widgetSelectable_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kSelectable, presenter, codeSlot, kSource, __LINE__);
    b_widgetSelectable_setFocus(codeSlot, -1);
}

void b_widgetSelectable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kSelectable, presenter, codeSlot, kSource, __LINE__);
    if (b_widgetSelectable_getFocus(codeSlot) == -1) b_widgetSelectable_setFocus(codeSlot, FirstItem(codeSlot));
}

void b_widgetSelectable_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kSelectable, presenter, codeSlot, kSource, __LINE__);
}

void b_widgetScroll_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kScroll, presenter, codeSlot, kSource, __LINE__);
}

void b_widgetScroll_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kScroll, presenter, codeSlot, kSource, __LINE__);
}

void b_widgetScroll_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kScroll, presenter, codeSlot, kSource, __LINE__);
}

void b_moveTo_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kMoveTo, presenter, codeSlot, kSource, __LINE__);
}

void b_moveTo_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kMoveTo, presenter, codeSlot, kSource, __LINE__);
}

void b_moveTo_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kMoveTo, presenter, codeSlot, kSource, __LINE__);
}

void b_widgetCursor_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kCursor, presenter, codeSlot, kSource, __LINE__);
}

// Every cursor's b_child is paused, so that the cursor no longer follows
// its parent; those hanging on this menu go to the focused item: x plus the
// child's x offset, y the middle of the item's box (its y without one).
void b_widgetCursor_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kCursor, presenter, codeSlot, kSource, __LINE__);
    const AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t type = b_widgetCursor_getCursorType(codeSlot);
    for (std::int32_t row = client->findCharacterByType(type); row != -1;
         row = client->findNextCharacterByType(type, row)) {
        AZ_Presenter* cursor = AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
        const std::int32_t child = cursor->findCodeSlot(kChild);
        if (child == -1) continue;
        b_child_setStatus(child, kPaused);
        if (b_child_getParent(child) != presenter->getId()) continue;
        const std::int32_t selectable = presenter->findCodeSlot(kSelectable);
        const std::int32_t focus = selectable == -1 ? -1 : b_widgetSelectable_getFocus(selectable);
        if (focus == -1) continue;
        const AZ_Presenter* item = AZ_Presenter::getPresenter(focus);
        std::int32_t y = item->getY();
        if (const std::int32_t box = item->findCodeSlot(kBoundingBox); box != -1) {
            y = WrapSub32(y, b_boundingBox_getHeight(box) >> 1);
        }
        cursor->setX(WrapAdd32(item->getX(), b_child_getOffsetX(child)));
        cursor->setY(y);
    }
}

void b_widgetCursor_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kCursor, presenter, codeSlot, kSource, __LINE__);
}

void b_previousFocus_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kPreviousFocus, presenter, codeSlot, kSource, __LINE__);
    b_previousFocus_setUserCharacter(codeSlot, AZ_Client::getInstance()->getUserCharacter());
    b_previousFocus_setKeyCharacter(codeSlot, AZ_GetKeyInputCharacter());
}

void b_previousFocus_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kPreviousFocus, presenter, codeSlot, kSource, __LINE__);
}

void b_previousFocus_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kPreviousFocus, presenter, codeSlot, kSource, __LINE__);
}
