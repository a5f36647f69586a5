#include "platform/shared/win32/CGraphics_Win32_Base.h"

#include "platform/shared/core/Debug.h"

CGraphics_Win32_Base::~CGraphics_Win32_Base() { DebugAssert(m_ownedSurface == nullptr, "CGraphics_Win32_Base", 67); }
