#include "platform/shared/components/ICMediaPlayer.h"

#include "platform/shared/win32/CMediaPlayer_WinMobile.h"

namespace {

CSingleton* CreatePlayer() { return CMediaPlayer_WinMobile::Create(); }

}  // namespace

ICMediaPlayer* ICMediaPlayer::GetInstance() {
    return static_cast<ICMediaPlayer*>(
        CSingleton::GetInstanceOf(CApp::CachedSingleton::MediaPlayer, kClassId, CreatePlayer));
}

ICMediaPlayer::~ICMediaPlayer() {
    if (CApp* app = CApp::GetInstance()) app->SetCachedSingleton(CApp::CachedSingleton::MediaPlayer, nullptr);
}
