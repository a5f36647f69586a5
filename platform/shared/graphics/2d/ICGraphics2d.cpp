#include "platform/shared/graphics/2d/ICGraphics2d.h"

#include "src/win32/CGraphics2d_WinMobile_Lite.h"

namespace {

CSingleton* CreateDevice() { return CGraphics2d_WinMobile_Lite::Create(); }

}  // namespace

ICGraphics2d::~ICGraphics2d() {
    CApp* app = CApp::GetInstance();
    if (app != nullptr && app->GetCachedSingleton(CApp::CachedSingleton::Graphics2d) == this) {
        app->SetCachedSingleton(CApp::CachedSingleton::Graphics2d, nullptr);
    }
}

ICGraphics2d* ICGraphics2d::GetInstance() {
    return static_cast<ICGraphics2d*>(
        CSingleton::GetInstanceOf(CApp::CachedSingleton::Graphics2d, kClassId, &CreateDevice));
}
