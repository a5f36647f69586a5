#include "platform/shared/core/CApp.h"

#include "platform/shared/components/CSingleton.h"
#include "platform/shared/core/CHash.h"
#include "platform/shared/systems/CAppExecutor.h"
#include "platform/shared/systems/CRegistry.h"

namespace {
CApp* g_app = nullptr;
}

CApp* CApp::GetInstance() { return g_app; }

void CApp::SetInstance(CApp* app) { g_app = app; }

CApp::~CApp() {
    delete m_executor;
    m_executor = nullptr;
    delete m_eventRoot;
    m_eventRoot = nullptr;
    FreeSingletonTable();
}

void CApp::FreeSingletonTable() {
    if (m_singletons == nullptr) return;
    for (std::int32_t b = 0; b < m_singletons->GetBucketCount(); ++b) {
        CHashNode* node = m_singletons->GetBucket(b);
        while (node != nullptr) {
            // The singleton's destructor unregisters it and so frees this
            // node: read what is needed first.
            CHashNode* next = node->next;
            auto* object = reinterpret_cast<CSingleton*>(node->value);
            node->value = 0;
            delete object;
            node = next;
        }
    }
    delete m_singletons;
    m_singletons = nullptr;
}
