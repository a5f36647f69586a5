#include "platform/shared/components/ICFileMgr.h"

#include "platform/shared/core/CApp.h"
#include "platform/shared/win32/CFileMgr_Win32.h"

namespace {

CSingleton* CreateFileMgr() { return CFileMgr_Win32::Create(); }

}  // namespace

ICFileMgr* ICFileMgr::GetInstance() {
    return static_cast<ICFileMgr*>(CSingleton::GetInstanceOf(CApp::CachedSingleton::FileMgr, kClassId, CreateFileMgr));
}

ICFileMgr::~ICFileMgr() {
    if (CApp* app = CApp::GetInstance()) app->SetCachedSingleton(CApp::CachedSingleton::FileMgr, nullptr);
}
