#include "tests/sprites/SpriteWorld.h"

#include <gtest/gtest.h>

#include "host/Clock.h"
#include "host/DDraw.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "src/CGameApp.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"

SpriteWorld::SpriteWorld(const vktools::SpriteSet& set, const host::DisplayFormat& format) : m_app(format) {
    vktools::ArchiveBuilder archive;
    archive.AddManifest({});
    EXPECT_TRUE(vktools::AddSpriteSet(archive, set));
    EXPECT_EQ(m_app.Open(archive), 1);
    host::SetVirtualClock(0, 0);
    Lock();
}

SpriteWorld::~SpriteWorld() {
    Home().Destruct();
    host::ClearVirtualClock();
    m_app.Graphics()->GetRenderSurface()->Unlock();
}

void SpriteWorld::Lock() {
    ICRenderSurface* surface = m_app.Graphics()->GetRenderSurface();
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    surface->Lock(&bits, &pitch);
    CGameApp::GetBlitter()->Init(surface->GetPixelFormat(), bits, pitch);
}

int SpriteWorld::Load(std::initializer_list<std::pair<int, int>> pairs, std::uint32_t budget) {
    if (!Home().IsConstructed()) Home().Construct();
    if (!Home().IsConstructed()) return 0;
    for (const auto& [archetype, character] : pairs) Home().QueueArchetypeCharacter(archetype, character);
    int calls = 1;
    while (Home().ProcessLoadQueue(budget) && calls < 1000) ++calls;
    return calls;
}

void SpriteWorld::Show(const std::function<void()>& draw) {
    const CRect all(0, 0, 100, 100);
    CDrawUtil::FillRect(&all, 0xFF000000);
    draw();
    m_app.Graphics()->GetRenderSurface()->Unlock();
    m_app.Graphics()->Present();
    Lock();
}

std::uint32_t SpriteWorld::Pixel(std::int32_t x, std::int32_t y) const {
    return host::FramePixelRgb(*host::LastPresentedFrame(), 2 * x, 2 * y);
}

SZ_Presenter MakePresenter(std::int32_t archetype, std::int32_t character, std::int32_t animation,
                           std::uint8_t flags) {
    SZ_Presenter presenter;
    presenter.setArchetypeCharacter(archetype, character);
    presenter.setAnimation(animation, flags, 0);
    return presenter;
}
