#include "platform/shared/systems/CProfiler.h"

#include <algorithm>
#include <new>

#include "platform/shared/core/Clock.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/core/Wrap.h"
#include "platform/shared/systems/CAppExecutor.h"

namespace {

constexpr const char* kProfilerSource = "..\\..\\platform\\shared\\systems\\src\\CProfiler";

std::uint32_t ExecutorPhase() {
    const CAppExecutor* executor = GetAppExecutor();
    return executor != nullptr ? executor->GetPhase() : CAppExecutor::kUpdate;
}

}  // namespace

CProfile::CProfile(std::uint32_t firstWord, std::uint32_t threshold, std::uint32_t thirdWord)
    : m_firstWord(firstWord), m_threshold(threshold), m_thirdWord(thirdWord) {
    SetClassId(kClassId);
}

void CProfile::Execute() {
    m_countdown = std::max(m_countdown - GetElapsed(), 0);
    if (ExecutorPhase() == CAppExecutor::kUpdate) Sample();
    CExecutableRegistry::Execute();
}

void CProfile::Sample() {
    m_load = Low32(static_cast<std::int64_t>(m_accumulator) * 1024 / 100);
    m_lastAmount = m_accumulator;
    if (m_accumulator >= static_cast<std::int32_t>(m_threshold)) m_countdown = m_reload;
    m_accumulator = 0;
}

CProfiler::~CProfiler() { CProfiler::Shutdown(); }

bool CProfiler::Init(std::int32_t tableBuckets, CEventListener::Callback callback, const std::uint32_t* types,
                     std::uint32_t tablePoolBlock, bool tableGrowable, std::uint32_t historyLength) {
    const std::uint32_t now = GetTimeMs();
    DebugAssert((callback == nullptr) == (types == nullptr), kProfilerSource, 35);
    if (callback != nullptr && m_listener == nullptr) {
        m_listener = new (std::nothrow) CEventListener();
        if (m_listener != nullptr) {
            m_listener->SetOwnerAndCallback(this, callback);
            m_listener->Register(types, CPriorityClass::kDefaultPriority);
        }
    }
    m_current = nullptr;
    m_startTime = now;
    m_rate = 0;
    m_period = 1024;
    m_accumulatedTime = 0;
    m_count = 0;
    m_enabled = false;
    m_runWhenEnabled = false;
    FreeHistory();
    if (historyLength != 0 && historyLength <= 0x1FFFFFFF) {
        m_history = new (std::nothrow) HistoryEntry[historyLength]();
    }
    // A history that cannot be had is no history.
    m_historyLength = m_history != nullptr ? historyLength : 0;
    return m_table.Init(tableBuckets, tablePoolBlock, tableGrowable);
}

void CProfiler::FreeHistory() {
    delete[] m_history;
    m_history = nullptr;
    m_historyLength = 0;
}

void CProfiler::Shutdown() {
    FreeHistory();
    for (std::int32_t b = 0; b < m_table.GetBucketCount(); ++b) {
        for (CHashNode* node = m_table.GetBucket(b); node != nullptr; node = node->next) {
            auto* element = reinterpret_cast<CRegistryElement*>(node->value);
            DebugAssert(element != nullptr, kProfilerSource, 91);
            delete element->GetObject();
            delete element;
        }
    }
    m_table.Destroy();
    // The profiles' elements are gone: the profiler's own list must not keep
    // pointing at them.
    Clear();
    m_current = nullptr;
    if (m_listener != nullptr) {
        m_listener->UnregisterAll();
        delete m_listener;
        m_listener = nullptr;
    }
}

CProfile* CProfiler::GetProfile(std::uint32_t key, std::uint32_t firstWord, std::uint32_t threshold,
                                std::uint32_t thirdWord, Factory factory) {
    CProfile* profile = nullptr;
    std::uintptr_t value = 0;
    if (m_table.Find(key, &value)) {
        profile = static_cast<CProfile*>(reinterpret_cast<CRegistryElement*>(value)->GetObject());
    } else {
        profile = factory != nullptr ? factory(firstWord, threshold, thirdWord)
                                     : new (std::nothrow) CProfile(firstWord, threshold, thirdWord);
        if (profile == nullptr) return nullptr;
        CRegistryElement* element = CreateElement(key, profile, 0, CPriorityClass::kDefaultPriority);
        if (element == nullptr) {
            delete profile;
            return nullptr;
        }
        profile->SetProfiler(this);
        profile->SetParent(m_current);
        if (m_current != nullptr) {
            m_current->Add(element);
            profile->SetDepth(m_current->GetDepth() + 1);
        } else {
            Add(element);
        }
        m_table.Insert(key, reinterpret_cast<std::uintptr_t>(element));
    }
    if (m_historyLength != 0) {
        std::copy_backward(m_history, m_history + m_historyLength - 1, m_history + m_historyLength);
        m_history[0] = {key, profile};
    }
    return profile;
}

void CProfiler::Execute() {
    if (ExecutorPhase() == CAppExecutor::kUpdate) {
        m_accumulatedTime += GetElapsed();
        if (m_accumulatedTime >= m_period) {
            // 64-bit product: a count of 2048 or more would overflow 32 bits.
            m_rate = Low32(static_cast<std::int64_t>(m_count) * 1024 * 1024 / m_accumulatedTime);
            m_count = 0;
            m_accumulatedTime = 0;
        }
        CExecutableRegistry::Execute();
        return;
    }
    if (!m_enabled) return;
    Report();
    if (m_runWhenEnabled) CExecutableRegistry::Execute();
}

void CProfiler::SetEnabled(bool enabled) {
    if (CProfiler* profiler = GetInstance()) profiler->m_enabled = enabled;
}

void CProfiler::SetRunWhenEnabled(bool run) {
    if (CProfiler* profiler = GetInstance()) profiler->m_runWhenEnabled = run;
}

std::int32_t CProfiler::GetMode() {
    const CProfiler* profiler = GetInstance();
    if (profiler == nullptr || !profiler->m_enabled) return 0;
    return profiler->m_runWhenEnabled ? 2 : 1;
}
