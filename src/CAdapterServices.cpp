#include "src/CAdapterServices.h"

#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/CSaveGameMgr.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"

CBinRes* CAdapterServices::getData(std::uint32_t id) {
    CResMgr* resources = CGameApp::GetResMgr();
    return resources != nullptr ? resources->GetData(id, 0) : nullptr;
}

void CAdapterServices::releaseData(std::uint32_t id) {
    if (CResMgr* resources = CGameApp::GetResMgr()) resources->Free(id, 1);
}

CImage* CAdapterServices::createImage(std::uint32_t id) {
    CResMgr* resources = CGameApp::GetResMgr();
    return resources != nullptr ? resources->CreateImage(id, nullptr, 0, 0) : nullptr;
}

std::int32_t CAdapterServices::getSavedCharacter() {
    const CSaveGameMgr* saves = CGameApp::GetSaveGameMgr();
    return saves != nullptr ? saves->GetCharacter() : 0;
}
