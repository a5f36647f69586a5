#include "src/actionZel/AZ_Services.h"

#include <algorithm>
#include <limits>

#include "platform/shared/core/Debug.h"
#include "platform/shared/core/Wrap.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "src/actionZel/cc/b_boundingBox.h"

namespace {

constexpr char kSourcePath[] = "..\\..\\src\\actionZel\\AZ_Services.cpp";
constexpr std::int32_t kBoundingBox = 27;
constexpr std::int32_t kIgnore = 32;

// The height of the presenter's bounding box, or the fallback without one.
std::int64_t BoxHeight(const AZ_Presenter* presenter, std::int64_t fallback) {
    const std::int32_t box = presenter->findCodeSlot(kBoundingBox);
    return box != -1 ? b_boundingBox_getHeight(box) : fallback;
}

// The top centre of the presenter's bounding box, or its position.
void TopCentre(const AZ_Presenter* presenter, std::int64_t* x, std::int64_t* y) {
    *x = presenter->getX();
    *y = std::int64_t{presenter->getY()} - BoxHeight(presenter, 0);
}

std::uint64_t Square(std::int64_t v) {
    const std::uint64_t magnitude = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    return magnitude * magnitude;
}

// (dx * dx + dy * dy) >> 10 without wrapping: the square of a difference
// below 2^32 fits in 64 bits unsigned, the sum of two need not, so the low
// ten bits are added apart.
std::uint64_t SquaredDistance(std::int64_t dx, std::int64_t dy) {
    const std::uint64_t a = Square(dx), b = Square(dy);
    return (a >> 10) + (b >> 10) + (((a & 1023) + (b & 1023)) >> 10);
}

std::int32_t Saturated(std::uint64_t d) {
    return static_cast<std::int32_t>(std::min<std::uint64_t>(d, std::numeric_limits<std::int32_t>::max()));
}

// The character of the type with the smallest measure, other than the
// presenter and the excluded id; the first met wins a tie. The measure is
// given the best so far and answers -1 for a character that is not a
// candidate or not nearer, so that costlier tests run only for nearer
// ones. A saturated measure still finds a character far away.
template <typename Measure>
std::int32_t Nearest(const AZ_Presenter* presenter, std::int32_t type, std::int32_t excluded, Measure measure) {
    AZ_Client* client = AZ_Client::getInstance();
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    std::int32_t nearest = -1;
    for (std::int32_t row = client->findCharacterByType(type); row != -1;
         row = AZ_GetNextCharacterOfType(type, row)) {
        const AZ_Presenter* other = AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
        if (other == presenter || other->getId() == excluded) continue;
        const std::int64_t d = measure(other, best);
        if (d >= 0 && d < best) {
            best = d;
            nearest = other->getId();
        }
    }
    return nearest;
}

// The row of the held character while it is still that character and has
// a state, else -1.
std::int32_t StateRow(const AZ_HeldCharacter& character) {
    return character.held() ? AZ_GetStateRow(character.getId()) : -1;
}

void SetStatus(AZ_Presenter* presenter, std::int32_t codeId, std::int32_t status) {
    const std::int32_t slot = presenter->findCodeSlot(codeId);
    if (slot != -1) AZ_Presenter_Singleton::setCodeSlotValue(slot, status);
}

}  // namespace

bool AZ_SendEventHolding(const AZ_HeldCharacter& self, std::int32_t presenterId, std::int32_t event) {
    if (self.held()) AZ_Client::getInstance()->sendEvent(presenterId, event);
    return self.held();
}

bool AZ_SendEventHolding(const AZ_HeldCharacter& self, const AZ_HeldCharacter& to, std::int32_t event) {
    return to.held() ? AZ_SendEventHolding(self, to.getId(), event) : self.held();
}

std::int32_t AZ_GetNextCharacterOfType(std::int32_t type, std::int32_t row) {
    return AZ_Client::getInstance()->findNextCharacterByType(type, row);
}

void AZ_BroadcastEventToType(std::int32_t event, std::int32_t type) {
    AZ_ForEachCharacterOfType(type, [event](std::int32_t row, const AZ_Presenter*) {
        AZ_Client::getInstance()->raiseEvent(row, AZ_FIRST_EVENT + event);
        return true;
    });
}

std::int32_t AZ_FindNearestTarget(const AZ_Presenter* presenter, std::int32_t type, std::int32_t excluded) {
    std::int64_t x, y;
    TopCentre(presenter, &x, &y);
    return Nearest(presenter, type, excluded, [&](const AZ_Presenter* other, std::int64_t best) -> std::int64_t {
        if (other->getCharacterType() == presenter->getCharacterType()) return -1;
        std::int64_t ox, oy;
        TopCentre(other, &ox, &oy);
        const std::int64_t d = Saturated(SquaredDistance(ox - x, oy - y));
        return d < best && other->findCodeSlot(kIgnore) == -1 ? d : -1;
    });
}

std::int32_t AZ_FindNearestOfType(const AZ_Presenter* presenter, std::int32_t type, std::int32_t excluded) {
    return Nearest(presenter, type, excluded, [&](const AZ_Presenter* other, std::int64_t) -> std::int64_t {
        return AZ_GetSquaredDistance(presenter->getX(), presenter->getY(), other->getX(), other->getY());
    });
}

std::int32_t AZ_FindNearestAtSameHeight(const AZ_Presenter* presenter, std::int32_t type, std::int32_t excluded) {
    const std::int64_t y = presenter->getY(), height = BoxHeight(presenter, 0);
    return Nearest(presenter, type, excluded, [&](const AZ_Presenter* other, std::int64_t best) -> std::int64_t {
        const std::int64_t oy = other->getY();
        const std::int64_t d = AZ_GetSquaredDistance(presenter->getX(), presenter->getY(), other->getX(), other->getY());
        if (d >= best) return -1;
        return (y - height <= oy && oy <= y) || (oy - BoxHeight(other, 1024) <= y && y <= oy) ? d : -1;
    });
}

std::int32_t AZ_GetSquaredDistance(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    return Saturated(SquaredDistance(std::int64_t{x2} - x1, std::int64_t{y2} - y1));
}

std::int32_t AZ_GetSquaredLength(std::int32_t dx, std::int32_t dy) { return Saturated(SquaredDistance(dx, dy)); }

std::int32_t AZ_GetShiftedSquares(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    return Saturated((Square(std::int64_t{x2} - x1) >> 10) + (Square(std::int64_t{y2} - y1) >> 10));
}

std::int32_t AZ_GetStateRow(std::int32_t presenterId) {
    AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t row = client->getActiveIndex(presenterId);
    return row != -1 && client->getTopState(row) != -1 ? row : -1;
}

std::int32_t AZ_ClearStateStack(std::int32_t row) {
    if (row == -1) return -1;
    AZ_Client* client = AZ_Client::getInstance();
    const AZ_HeldCharacter character(AZ_Presenter::getPresenter(client->getPresenterOfRow(row)));
    for (std::int32_t depth = client->getHandlerDepth(row); depth > 0; --depth) {
        client->exitState(row);
        if ((row = StateRow(character)) == -1) return -1;
        client->popState(row);
    }
    if ((row = StateRow(character)) != -1) client->setHandlerDepth(row, 0);
    return row;
}

std::int32_t AZ_ExitHandlingState(std::int32_t row) {
    if (row == -1) return -1;
    const AZ_HeldCharacter character(AZ_Presenter::getPresenter(AZ_Client::getInstance()->getPresenterOfRow(row)));
    if ((row = AZ_ClearStateStack(row)) == -1) return -1;
    AZ_Client::getInstance()->exitState(row);
    return StateRow(character);
}

void AZ_EnterNewTopState(std::int32_t row, std::int32_t state) {
    AZ_Client* client = AZ_Client::getInstance();
    client->setTopState(row, state);
    client->enterState(row);
}

void AZ_ChangeToWeightedState(const AZ_Presenter* presenter, AZ_ArgCursor args, std::int32_t count) {
    constexpr std::int32_t kMaxStates = 8;
    DebugAssert(count <= kMaxStates, kSourcePath, __LINE__);
    std::int32_t weights[kMaxStates - 1] = {}, states[kMaxStates] = {};
    for (std::int32_t i = 0; i + 1 < count; ++i) weights[i] = args.next();
    for (std::int32_t i = 0; i < count; ++i) states[i] = args.next();
    AZ_Client* client = AZ_Client::getInstance();
    // Drawn before the exit events, even when there is no character.
    const std::int32_t draw = client->getAdapter()->randomRange(0, 1024);
    std::int32_t chosen = states[count - 1];
    for (std::int32_t i = 0, limit = 0; i + 1 < count; ++i) {
        limit += weights[i];
        if (draw < limit) {
            chosen = states[i];
            break;
        }
    }
    const std::int32_t row = AZ_ExitHandlingState(client->getActiveIndex(presenter->getId()));
    if (row != -1) AZ_EnterNewTopState(row, chosen);
}

void AZ_PauseCode(AZ_Presenter* presenter, std::int32_t codeId) { SetStatus(presenter, codeId, 1); }
void AZ_PauseVisual(AZ_Presenter* presenter, std::int32_t codeId) { AZ_PauseCode(presenter, codeId); }
void AZ_ResumeCode(AZ_Presenter* presenter, std::int32_t codeId) { SetStatus(presenter, codeId, 0); }

std::int32_t AZ_TakeSprite(std::int32_t codeSlot, std::int32_t word) {
    std::int32_t id = AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + word);
    if (id == 0 || id == AZ_FREE) {
        id = AZ_Client::getInstance()->getSpritePool()->alloc();
        AZ_Presenter_Singleton::setCodeSlotValue(codeSlot + word, id);
    }
    return id;
}

void AZ_FreeSprite(std::int32_t codeSlot, std::int32_t word) {
    const std::int32_t id = AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + word);
    if (SZ_Pool::isValid(id)) AZ_Client::getInstance()->getSpritePool()->free(id);
    AZ_Presenter_Singleton::setCodeSlotValue(codeSlot + word, AZ_FREE);
}

void AZ_FillRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, std::uint32_t colour) {
    CDrawUtil::FillRectRGB(nullptr, x, y, width, height, colour >> 16 & 0xFF, colour >> 8 & 0xFF, colour & 0xFF);
}

AZ_Presenter* AZ_FindPlayer() {
    constexpr std::int32_t kPlayer = 2, kSecondForm = 3;
    const AZ_Client* client = AZ_Client::getInstance();
    std::int32_t row = client->findCharacterByType(kPlayer);
    if (row == -1) row = client->findCharacterByType(kSecondForm);
    return row == -1 ? nullptr : AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
}

std::int32_t AZ_GetKeyInputCharacter() { return AZ_Client::getInstance()->getAdapter()->getKeyCharacter(); }

std::int32_t AZ_CutWidth(std::int32_t value, std::int32_t max, std::int32_t width) {
    return Low32((std::int64_t{max} - value) * width / max);
}

void AZ_ReleaseText(std::int32_t id) {
    if (AZ_Client* client = AZ_Client::getInstance(); client != nullptr) client->getAdapter()->releaseText(id);
}
