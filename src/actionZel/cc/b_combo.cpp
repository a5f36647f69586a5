#include "src/actionZel/cc/b_combo.h"

#include <algorithm>
#include <cstdint>

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/v_combo.h"

namespace {

constexpr std::int32_t kBarIds = 73, kCombo = 74, kAdd = 75, kVisual = 92;
constexpr std::int32_t kDisplayType = 79;
constexpr std::int32_t kShown = -1, kSliding = 0, kHidden = 1;
constexpr std::int32_t kOut = 100, kStartSlide = 5000, kMissSlide = 2000;
constexpr const char* kSource = AZ_UNIT_SOURCE(b_combo);

// The display's bar sprite and its animation ids: the first active
// character of the display type holding both v_combo and
// b_comboBarAnimationIds. `found` tells whether there is such a character
// at all; `sprite` is -1 when it lacks a unit or its sprite.
struct Display {
    bool found = false;
    std::int32_t sprite = -1, filling = 0, full = 0;
};

Display FindDisplay() {
    const AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t row = client->findCharacterByType(kDisplayType);
    Display d;
    if (row == -1) return d;
    d.found = true;
    const AZ_Presenter* p = AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
    const std::int32_t visual = p->findCodeSlot(kVisual), ids = p->findCodeSlot(kBarIds);
    if (visual == -1 || ids == -1 || !SZ_Pool::isValid(v_combo_getSprite(visual))) return d;
    d.sprite = v_combo_getSprite(visual);
    d.filling = b_comboBarAnimationIds_getFillingAnimation(ids);
    d.full = b_comboBarAnimationIds_getFullAnimation(ids);
    return d;
}

// The share of 100 pixels slid out after `ms` of sliding (one per 10 ms).
std::int64_t Slid(std::int32_t ms) { return static_cast<std::int64_t>(ms) * 100 / 1000; }

}  // namespace

void b_comboBarAnimationIds_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kBarIds, presenter, codeSlot, kSource, __LINE__);
}

// Without v_combo (or its sprite) there is nothing to animate.
void b_comboBarAnimationIds_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kBarIds, presenter, codeSlot, kSource, __LINE__);
    const std::int32_t visual = presenter->findCodeSlot(kVisual);
    if (visual == -1 || !SZ_Pool::isValid(v_combo_getSprite(visual))) return;
    AZ_Client::getInstance()->getSpritePool()->update(v_combo_getSprite(visual), frameTime);
}

void b_comboBarAnimationIds_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kBarIds, presenter, codeSlot, kSource, __LINE__);
}

// The display starts hidden and slid out.
void b_combo_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kCombo, presenter, codeSlot, kSource, __LINE__);
    b_combo_setBarOffset(codeSlot, kOut);
    b_combo_setCountOffset(codeSlot, kOut);
    b_combo_setBarSlideTime(codeSlot, kStartSlide);
    b_combo_setCountSlideTime(codeSlot, kStartSlide);
    b_combo_setBarState(codeSlot, kHidden);
}

// A combo ends when the window passes without a hit; then both parts of the
// display slide out over 1000 ms, the bar only while the meter is not full,
// and the display is hidden once the count is out.
void b_combo_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kCombo, presenter, codeSlot, kSource, __LINE__);
    if (b_combo_getCount(codeSlot) > 0) {
        const std::int32_t since = WrapAdd32(b_combo_getTimeSinceHit(codeSlot), frameTime);
        b_combo_setTimeSinceHit(codeSlot, since);
        if (since >= b_combo_getComboWindow(codeSlot)) {
            b_combo_setCount(codeSlot, 0);
            b_combo_setBarState(codeSlot, kSliding);
        }
    }
    if (b_combo_getBarState(codeSlot) != kSliding) return;
    if (b_combo_getMeter(codeSlot) < b_combo_getMeterMax(codeSlot)) {
        const std::int32_t bar = WrapAdd32(b_combo_getBarSlideTime(codeSlot), frameTime);
        b_combo_setBarSlideTime(codeSlot, bar);
        b_combo_setBarOffset(codeSlot, static_cast<std::int32_t>(std::min<std::int64_t>(Slid(bar), kOut)));
    }
    const std::int32_t count = WrapAdd32(b_combo_getCountSlideTime(codeSlot), frameTime);
    b_combo_setCountSlideTime(codeSlot, count);
    b_combo_setCountOffset(codeSlot, static_cast<std::int32_t>(std::min<std::int64_t>(Slid(count), kOut)));
    b_combo_setBarState(codeSlot, Slid(count) >= kOut ? kHidden : kSliding);
}

void b_combo_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kCombo, presenter, codeSlot, kSource, __LINE__);
}

// One hit (amount 1 or more) or miss. The first hit of a combo only counts;
// a later one shows the display and stays to add (count - 1) x amount, at
// most the maximum. A miss ends the combo and throws the display out, its
// bar state and the meter as they are; it stays to run out its duration.
// Without a b_combo to feed the unit removes itself.
void b_addCombo_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kAdd, presenter, codeSlot, kSource, __LINE__);
    const std::int32_t combo = presenter->findCodeSlot(kCombo);
    if (combo == -1) {
        presenter->detach(kAdd);
        return;
    }
    const std::int32_t amount = b_addCombo_getAmount(codeSlot);
    if (amount <= 0) {
        b_combo_setCount(combo, 0);
        b_combo_setTimeSinceHit(combo, 0);
        b_combo_setBarOffset(combo, kOut);
        b_combo_setCountOffset(combo, kOut);
        b_combo_setBarSlideTime(combo, kMissSlide);
        b_combo_setCountSlideTime(combo, kMissSlide);
        if (const Display d = FindDisplay(); d.sprite != -1) {
            AZ_Client::getInstance()->getSpritePool()->setAnimation(d.sprite, d.filling, 0, 0);
        }
        return;
    }
    const std::int32_t count = WrapAdd32(b_combo_getCount(combo), 1);
    b_combo_setCount(combo, count);
    b_combo_setTimeSinceHit(combo, 0);
    if (count == 1) {
        presenter->detach(kAdd);
        return;
    }
    if (count < 2) return;
    b_combo_setShownCount(combo, count);
    b_combo_setBarOffset(combo, 0);
    b_combo_setCountOffset(combo, 0);
    b_combo_setBarSlideTime(combo, 0);
    b_combo_setCountSlideTime(combo, 0);
    b_combo_setBarState(combo, kShown);
    const std::int64_t worth = static_cast<std::int64_t>(count - 1) * amount;
    b_addCombo_setAmount(codeSlot,
                         static_cast<std::int32_t>(std::min<std::int64_t>(worth, b_combo_getMeterMax(combo))));
}

// Adds amount x dt / time left of what is left; the update that finds the
// time spent adds the rest and removes the unit. Without a display
// character the step is used up and the meter stays; the bar turns to its
// full animation (looping) as the meter reaches the maximum and back to
// the filling one below it.
void b_addCombo_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kAdd, presenter, codeSlot, kSource, __LINE__);
    const std::int32_t combo = presenter->findCodeSlot(kCombo);
    const std::int32_t remaining = b_addCombo_getDuration(codeSlot), amount = b_addCombo_getAmount(codeSlot);
    if (combo == -1) {
        presenter->detach(kAdd);
        return;
    }
    std::int32_t step = amount;
    if (remaining <= 0) {
        presenter->detach(kAdd);
    } else {
        // Never more than is left; a negative amount (a miss) goes at once.
        const std::int64_t share = std::min<std::int64_t>(static_cast<std::int64_t>(amount) * frameTime / remaining,
                                                          amount);
        step = static_cast<std::int32_t>(std::max<std::int64_t>(share, INT32_MIN));
        b_addCombo_setAmount(codeSlot, WrapSub32(amount, step));
        b_addCombo_setDuration(codeSlot, WrapSub32(remaining, frameTime));
    }
    const std::int32_t meter = b_combo_getMeter(combo), max = b_combo_getMeterMax(combo);
    const std::int64_t next = static_cast<std::int64_t>(meter) + step;
    const Display d = FindDisplay();
    if (!d.found) return;
    if (d.sprite != -1) {
        SZ_Pool* pool = AZ_Client::getInstance()->getSpritePool();
        if (meter < max && next >= max) {
            pool->setAnimation(d.sprite, d.full, 0, 1);
        } else if (next < max && pool->getAnimation(d.sprite) != d.filling) {
            pool->setAnimation(d.sprite, d.filling, 0, 0);
        }
    }
    b_combo_setMeter(combo, static_cast<std::int32_t>(std::max<std::int64_t>(std::min<std::int64_t>(next, max), 0)));
}

void b_addCombo_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kAdd, presenter, codeSlot, kSource, __LINE__);
}
