#include <gtest/gtest.h>

#include "host/DDraw.h"
#include "host/Window.h"

namespace {

DDSURFACEDESC Desc(DWORD flags, DWORD caps = 0) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = flags;
    desc.ddsCaps.dwCaps = caps;
    return desc;
}

HRESULT CreateBack(LPDIRECTDRAW dd, LPDIRECTDRAWSURFACE* back, DWORD width, const host::DisplayFormat& format) {
    DDSURFACEDESC desc = Desc(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT, DDSCAPS_SYSTEMMEMORY);
    desc.dwWidth = width;
    desc.dwHeight = 160;
    desc.ddpfPixelFormat = DDPIXELFORMAT{sizeof(DDPIXELFORMAT), DDPF_RGB, 0, format.bitCount, format.redMask,
                                         format.greenMask, format.blueMask, 0};
    return dd->CreateSurface(&desc, back, nullptr);
}

TEST(Display, ModeSurfacesAndTheirRules) {
    host::ResetDisplay();
    host::ResetWindowing(host::WindowOptions{.screenWidth = 241, .screenHeight = 321});
    LPDIRECTDRAW dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
    DDSURFACEDESC mode = Desc(0);
    ASSERT_EQ(dd->GetDisplayMode(&mode), DD_OK);
    EXPECT_EQ(mode.dwWidth, 241u);
    EXPECT_EQ(mode.dwHeight, 321u);
    EXPECT_EQ(mode.ddpfPixelFormat.dwRGBBitCount, 16u);
    EXPECT_EQ(mode.ddpfPixelFormat.dwRBitMask, 0xF800u);
    DDSURFACEDESC wrongSize{};
    EXPECT_EQ(dd->GetDisplayMode(&wrongSize), DDERR_INVALIDPARAMS);

    LPDIRECTDRAWSURFACE primary = nullptr;
    LPDIRECTDRAWSURFACE second = nullptr;
    DDSURFACEDESC desc = Desc(DDSD_CAPS, DDSCAPS_PRIMARYSURFACE);
    ASSERT_EQ(dd->CreateSurface(&desc, &primary, nullptr), DD_OK);
    EXPECT_EQ(dd->CreateSurface(&desc, &second, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);
    EXPECT_EQ(second, nullptr);

    LPDIRECTDRAWSURFACE back = nullptr;
    EXPECT_EQ(CreateBack(dd, &back, 120, host::kDisplayXrgb8888), DDERR_INVALIDPARAMS);  // not the screen's layout
    EXPECT_EQ(CreateBack(dd, &back, 0, host::kDisplayRgb565), DDERR_INVALIDPARAMS);
    host::SetPitchPadding(6);
    ASSERT_EQ(CreateBack(dd, &back, 121, host::kDisplayRgb565), DD_OK);
    EXPECT_EQ(back->Unlock(nullptr), DDERR_NOTLOCKED);
    DDSURFACEDESC lock = Desc(0);
    ASSERT_EQ(back->Lock(nullptr, &lock, DDLOCK_WAITNOTBUSY, nullptr), DD_OK);
    EXPECT_NE(lock.lpSurface, nullptr);
    EXPECT_EQ(lock.lPitch, 244 + 6);  // rows of whole pixels rounded to 4 bytes, then the padding
    EXPECT_EQ(primary->Blt(nullptr, back, nullptr, DDBLT_WAITNOTBUSY, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(back->Unlock(nullptr), DD_OK);
    EXPECT_EQ(back->Blt(nullptr, primary, nullptr, DDBLT_WAITNOTBUSY, nullptr), DDERR_UNSUPPORTED);
    EXPECT_EQ(primary->Blt(nullptr, back, nullptr, DDBLT_WAITNOTBUSY, nullptr), DD_OK);
    EXPECT_EQ(host::LastPresentedFrame()->width, 241);

    back->Release();
    primary->Release();
    dd->Release();
    EXPECT_EQ(host::LiveDisplayObjects(), 0);
    host::ResetDisplay();
    host::ResetWindowing();
}

}  // namespace
