#include "src/CResBank.h"

#include "platform/shared/components/CKeysetResource.h"
#include "platform/shared/core/Clock.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"

namespace {

// Each listed id given back once (Release) or dropped (Free), then the
// list's own reference. A list that names itself is undone for that id
// after its walk, which would otherwise go on in a freed list.
std::uint8_t Undo(std::uint32_t bankId, void (CResMgr::*undo)(std::uint32_t, std::uint8_t)) {
    CResMgr* resources = CGameApp::GetResMgr();
    const CKeysetResource* keyset = resources->GetKeyset(bankId, 0);
    if (keyset == nullptr) return 0;
    std::uint32_t selfListed = 0;
    for (std::uint32_t i = 0; i < keyset->GetCount(); ++i) {
        const std::uint32_t id = keyset->GetKey(i);
        if (id == bankId) {
            ++selfListed;
        } else {
            (resources->*undo)(id, 0);
        }
    }
    for (; selfListed > 0; --selfListed) (resources->*undo)(bankId, 0);
    resources->Release(bankId, 0);
    return 1;
}

}  // namespace

CResBank::~CResBank() {
    if (m_keyset != nullptr) EndLoading();
}

void CResBank::SetBank(std::uint32_t bankId) {
    if (m_state == kLoading) return;
    m_loaded = 0;
    m_total = 0;
    m_state = kFailed;
    m_keyset = CGameApp::GetResMgr()->GetKeyset(bankId, 0);
    if (m_keyset == nullptr) return;
    m_bankId = bankId;
    m_total = m_keyset->GetCount();
    // An empty list has nothing to wait for.
    m_state = m_total != 0 ? kLoading : kDone;
    if (m_state != kLoading) EndLoading();
}

void CResBank::LoadSlice() {
    if (m_state != kLoading) return;
    CResMgr* resources = CGameApp::GetResMgr();
    const std::uint32_t start = GetTimeMs();
    do {
        // The keys come from the archive: one the manager does not take
        // fails like a missing resource.
        const std::uint32_t id = m_keyset->GetKey(m_loaded++);
        if (!CResMgr::IsLoadable(id) || resources->GetResource(id, 0) == nullptr) {
            m_state = kFailed;
        } else if (m_loaded >= m_total) {
            m_state = kDone;
        }
    } while (m_state == kLoading && GetTimeMs() - start < kSliceMs);
    if (m_state != kLoading) EndLoading();
}

void CResBank::EndLoading() {
    if (CResMgr* resources = CGameApp::GetResMgr()) resources->Release(m_bankId, 0);
    m_bankId = 0;
    m_keyset = nullptr;
}

std::uint32_t CResBank::GetPercent() const { return m_state == kLoading ? m_loaded * 100 / m_total : 100; }

std::uint8_t CResBank::Release(std::uint32_t bankId) { return Undo(bankId, &CResMgr::Release); }

std::uint8_t CResBank::Free(std::uint32_t bankId) { return Undo(bankId, &CResMgr::Free); }
