#include "src/CZelMovieScreen.h"

#include <algorithm>
#include <iterator>

#include "platform/shared/core/Debug.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "src/CGameApp.h"
#include "src/CKeyMgr.h"
#include "src/CResMgr.h"
#include "src/DrawingUtil.h"
#include "src/LocalWidgets/CUIWidget.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"

namespace {

constexpr const char* kSource = "CZelMovieScreen";

using Command = CZelMovieScreen::Command;
using Region = CZelMovieScreen::Region;

// Image 0 comes in from the right in six steps, alternating between the
// middle and the top edge, and stays in the middle; images 1 and 2 join it
// at 1200 and 1400 ms. Track 0 ends the movie at 3000 ms.
constexpr Command kTrack0[] = {
    {CZelMovieScreen::kLoad, 0, 0, 0, 0x0200025A},  {CZelMovieScreen::kLoad, 0, 1, 0, 0x0200025E},
    {CZelMovieScreen::kLoad, 0, 2, 0, 0x0200025B},  {CZelMovieScreen::kMove, 200, 0, 0, 3},
    {CZelMovieScreen::kMove, 200, 0, 0, 4},         {CZelMovieScreen::kMove, 200, 0, 0, 5},
    {CZelMovieScreen::kMove, 200, 0, 0, 6},         {CZelMovieScreen::kMove, 200, 0, 0, 7},
    {CZelMovieScreen::kMove, 200, 0, 0, 8},         {CZelMovieScreen::kShow, 1800, 0, 0, 0},
    {CZelMovieScreen::kEnd, 0, 0, 0, 0},
};
constexpr Command kTrack1[] = {
    {CZelMovieScreen::kWait, 1200, 0, 0, 0},
    {CZelMovieScreen::kShow, 1800, 1, 0, 1},
    {CZelMovieScreen::kWait, 3000, 0, 0, 0},
    {CZelMovieScreen::kEnd, 0, 0, 0, 0},
};
constexpr Command kTrack2[] = {
    {CZelMovieScreen::kWait, 1200, 0, 0, 0}, {CZelMovieScreen::kWait, 200, 0, 0, 0},
    {CZelMovieScreen::kShow, 1600, 2, 0, 2}, {CZelMovieScreen::kWait, 3000, 0, 0, 0},
    {CZelMovieScreen::kEnd, 0, 0, 0, 0},
};
// What a stopped track plays: one wait, again and again.
constexpr Command kIdle[] = {{CZelMovieScreen::kWait, 32767, 0, 0, 0}};
constexpr const Command* kSequence[CZelMovieScreen::kTracks] = {kTrack0, kTrack1, kTrack2};

constexpr Region kRegions[] = {
    {512, 512, -66, -50}, {512, 512, -8, -50}, {512, 512, 12, -50},  {938, 512, 0, -50}, {938, 0, -11, -19},
    {853, 512, -22, -50}, {768, 0, -33, -19},  {682, 512, -44, -50}, {597, 0, -55, -19}, {512, 512, -66, -50},
};
constexpr std::int32_t kRegionCount = static_cast<std::int32_t>(sizeof kRegions / sizeof kRegions[0]);

// The times select skips to, in ms.
constexpr std::int32_t kSkipMarks[] = {0};
constexpr std::int32_t kSkipMarkCount = static_cast<std::int32_t>(sizeof kSkipMarks / sizeof kSkipMarks[0]);

}  // namespace

CZelMovieScreen::~CZelMovieScreen() { Stop(); }

std::int32_t CZelMovieScreen::Init() {
    ClearResult();
    for (std::int32_t i = 0; i < kTracks; ++i) m_tracks[i] = Track{-1, 0, kSequence[i]};
    Update(0);
    return 0;
}

const Command& CZelMovieScreen::Current(const Track& track) { return track.commands[std::max(track.index, 0)]; }

std::uint8_t CZelMovieScreen::HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t /*param2*/) {
    if (id != EVENT_KEY_PRESS) return 1;
    if (param1 == CUIWidget::kKeyBack) SetResult(2);
    if (param1 != CUIWidget::kKeySelect) return 1;
    if (m_markIndex >= kSkipMarkCount) {
        Finish();
        return 1;
    }
    // Every track runs on to the mark without doing what it passes over.
    const std::int32_t mark = kSkipMarks[m_markIndex++];
    const std::int32_t skipped = mark - m_elapsed;
    for (Track& track : m_tracks) {
        track.remaining -= skipped;
        while (track.remaining < 1 && track.commands != kIdle && track.commands[track.index + 1].code != kEnd) {
            track.remaining += track.commands[++track.index].duration;
        }
    }
    m_elapsed = mark;
    return 1;
}

std::uint32_t CZelMovieScreen::Update(std::uint32_t dt) {
    m_elapsed = static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{m_elapsed} + dt, kMaxElapsed));
    while (m_markIndex < kSkipMarkCount && kSkipMarks[m_markIndex] <= m_elapsed) ++m_markIndex;
    CResMgr* resources = CGameApp::GetResMgr();
    for (Track& track : m_tracks) {
        track.remaining -= static_cast<std::int32_t>(dt);
        while (track.remaining < 1) {
            if (track.commands != kIdle) ++track.index;
            const Command& command = Current(track);
            if (command.code == kEnd) {
                Finish();
                return 1;
            }
            track.remaining += command.duration;
            if (command.code != kLoad) continue;
            const std::int16_t slot = command.slot;
            m_slotIds[slot] = command.argument;
            m_slotImages[slot] = resources->GetImage(command.argument, 0);
            if (m_slotImages[slot] == nullptr) {
                Finish();
                return 1;
            }
        }
    }
    CKeyMgr* keys = CGameApp::GetKeyMgr();
    if (keys != nullptr && keys->TakePendingTap()) SetResult(1);
    return 1;
}

std::uint8_t CZelMovieScreen::Draw() {
    std::int32_t width = 0;
    std::int32_t height = 0;
    GetScreenSize(&width, &height, kSource, __LINE__);
    const CRect screen = WidgetRect(0, 0, width, height);
    if (std::any_of(std::begin(m_tracks), std::end(m_tracks),
                    [](const Track& track) { return Current(track).code != kWait; })) {
        CDrawUtil::FillRect(&screen, 0xFF000000);
    }
    for (const Track& track : m_tracks) {
        const Command& command = Current(track);
        if (command.code == kWait) continue;
        DebugAssert(command.code >= kShow && command.code <= kMove && command.argument < kRegionCount, kSource, 412);
        CImage* image = m_slotImages[command.slot];
        std::int32_t x = 0;
        std::int32_t y = 0;
        RegionPoint(command.argument, width, height, &x, &y);
        const std::int32_t t = command.duration - track.remaining;
        if (command.code == kMove) {
            std::int32_t toX = 0;
            std::int32_t toY = 0;
            RegionPoint(command.argument + 1, width, height, &toX, &toY);
            x += (toX - x) * t / command.duration;
            y += (toY - y) * t / command.duration;
        }
        if (image != nullptr) image->Draw(&screen, x, y);
        if (image != nullptr && (command.code == kFadeIn || command.code == kFadeOut)) {
            const std::int32_t level = command.duration > 0 ? t * 255 / command.duration : 255;
            DrawFade(WidgetRect(x, y, image->GetWidth(), image->GetHeight()),
                     command.code == kFadeIn ? level : 255 - level);
        }
    }
    return 1;
}

void CZelMovieScreen::RegionPoint(std::uint32_t region, std::int32_t width, std::int32_t height, std::int32_t* x,
                                  std::int32_t* y) {
    const Region& r = kRegions[std::min<std::uint32_t>(region, kRegionCount - 1)];
    *x = r.xOffset + static_cast<std::int32_t>(std::int64_t{r.xFraction} * width / 1024);
    *y = r.yOffset + static_cast<std::int32_t>(std::int64_t{r.yFraction} * height / 1024);
}

void CZelMovieScreen::DrawFade(const CRect& /*rect*/, std::int32_t /*level*/) {}

void CZelMovieScreen::Finish() {
    Stop();
    SetResult(1);
}

void CZelMovieScreen::Stop() {
    for (Track& track : m_tracks) track = Track{0, 0, kIdle};
    CResMgr* resources = CGameApp::GetResMgr();
    for (std::int32_t i = 0; i < kSlots; ++i) {
        if (m_slotImages[i] != nullptr) resources->Release(m_slotIds[i], 0);
        m_slotImages[i] = nullptr;
        m_slotIds[i] = 0;
    }
}
