// A small per-frame profiling tree: profiles filed by key, run every frame
// with the executor's frame time, a per-second rate and a short history of
// the keys most recently asked for.
#pragma once

#include <cstdint>

#include "platform/shared/core/CHash.h"
#include "platform/shared/systems/CEventListener.h"
#include "platform/shared/systems/CExecutableRegistry.h"

class CProfiler;

class CProfile : public CExecutableRegistry {
public:
    static constexpr std::uint32_t kClassId = 0x67490FA9;
    static constexpr std::int32_t kDefaultReload = 1000;

    CProfile(std::uint32_t firstWord, std::uint32_t threshold, std::uint32_t thirdWord);

    // Counts the countdown down, samples in the update phase, then runs the
    // child profiles.
    void Execute() override;
    // load = accumulator / 100 in 22.10; reaching the threshold restarts the
    // countdown; the accumulator starts again from 0.
    virtual void Sample();

    void SetProfiler(CProfiler* profiler) { m_profiler = profiler; }
    CProfiler* GetProfiler() const { return m_profiler; }
    void SetParent(CProfile* parent) { m_parent = parent; }
    CProfile* GetParent() const { return m_parent; }
    void SetDepth(std::int32_t depth) { m_depth = depth; }
    std::int32_t GetDepth() const { return m_depth; }

    std::uint32_t GetFirstWord() const { return m_firstWord; }
    std::uint32_t GetThreshold() const { return m_threshold; }
    std::uint32_t GetThirdWord() const { return m_thirdWord; }
    // The profile's users add to the accumulator.
    void Accumulate(std::int32_t amount) { m_accumulator += amount; }
    std::int32_t GetAccumulator() const { return m_accumulator; }
    std::int32_t GetLastAmount() const { return m_lastAmount; }
    std::int32_t GetLoad() const { return m_load; }
    void SetReload(std::int32_t reload) { m_reload = reload; }
    std::int32_t GetCountdown() const { return m_countdown; }

private:
    CProfiler* m_profiler = nullptr;
    CProfile* m_parent = nullptr;
    std::int32_t m_depth = 0;
    std::uint32_t m_firstWord;
    std::uint32_t m_threshold;
    std::uint32_t m_thirdWord;
    std::int32_t m_accumulator = 0;
    std::int32_t m_lastAmount = 0;
    std::int32_t m_load = 0;
    std::int32_t m_reload = kDefaultReload;
    std::int32_t m_countdown = 0;
};

class CProfiler : public CExecutableRegistry {
public:
    using Factory = CProfile* (*)(std::uint32_t firstWord, std::uint32_t threshold, std::uint32_t thirdWord);

    struct HistoryEntry {
        std::uint32_t key;
        CProfile* profile;
    };

    CProfiler() = default;
    ~CProfiler() override;

    // With a callback, registers a listener for the zero-terminated types
    // (both given or both null). Returns what the table's Init returns.
    virtual bool Init(std::int32_t tableBuckets, CEventListener::Callback callback, const std::uint32_t* types,
                      std::uint32_t tablePoolBlock, bool tableGrowable, std::uint32_t historyLength);
    // Deletes every profile and its element, the history, the table and the
    // listener.
    virtual void Shutdown();
    virtual void Report() {}

    // Update phase: accumulates the frame time and computes the rate every
    // full second, then runs the profiles. Draw phase: reports and runs them
    // only when enabled with run-when-enabled.
    void Execute() override;

    // The key's profile, created on first use (by the factory when given)
    // under the current profile; moves the key to the front of the history.
    CProfile* GetProfile(std::uint32_t key, std::uint32_t firstWord, std::uint32_t threshold, std::uint32_t thirdWord,
                         Factory factory);

    // The profiler's users count events.
    void Count(std::int32_t amount) { m_count += amount; }
    // Events per second in 22.10, from the last full second.
    std::int32_t GetRate() const { return m_rate; }
    const HistoryEntry* GetHistory() const { return m_history; }
    std::uint32_t GetHistoryLength() const { return m_historyLength; }
    CEventListener* GetListener() const { return m_listener; }

    // The process-wide profiler: none in this program.
    static CProfiler* GetInstance() { return nullptr; }
    static void SetEnabled(bool enabled);
    static void SetRunWhenEnabled(bool run);
    // 0 without a profiler or when not enabled; 2 with run-when-enabled,
    // else 1.
    static std::int32_t GetMode();

private:
    void FreeHistory();

    CHash m_table;
    CEventListener* m_listener = nullptr;
    CProfile* m_current = nullptr;
    HistoryEntry* m_history = nullptr;
    std::uint32_t m_historyLength = 0;
    std::uint32_t m_startTime = 0;
    std::int32_t m_rate = 0;
    std::int32_t m_period = 1024;
    std::int32_t m_accumulatedTime = 0;
    std::int32_t m_count = 0;
    bool m_enabled = false;
    bool m_runWhenEnabled = false;
};
