#include "platform/shared/components/ICFileMgr.h"

#include "platform/shared/win32/CFileMgr_Win32.h"

ICFileMgr* ICFileMgr::GetInstance() {
    static ICFileMgr* const instance = CFileMgr_Win32::Create();
    return instance;
}
