// A resource bank: a keyset resource listing resource ids that are loaded
// into the resource manager's cache in time slices, so that a loading
// screen keeps drawing between them. The loaded resources keep one cache
// reference each until the bank is released or freed.
#pragma once

#include <cstdint>

class CKeysetResource;

class CResBank {
public:
    enum State : std::uint32_t { kIdle = 0, kLoading = 1, kFailed = 2, kDone = 3 };
    // Time one slice may start loading resources in.
    static constexpr std::uint32_t kSliceMs = 1000;

    CResBank() = default;
    // Gives back the list while loading.
    virtual ~CResBank();

    CResBank(const CResBank&) = delete;
    CResBank& operator=(const CResBank&) = delete;

    // Begins loading the list (ignored while loading): failed at once when
    // it is missing, done at once when it is empty.
    void SetBank(std::uint32_t bankId);
    // Loads the listed resources one after another until one is missing
    // (failed; those before it stay), all are loaded (done), or a slice's
    // time has passed since the call began. At least one resource is loaded
    // per call while loading.
    void LoadSlice();

    std::uint32_t GetState() const { return m_state; }
    std::uint32_t GetLoadedCount() const { return m_loaded; }
    std::uint32_t GetTotalCount() const { return m_total; }
    // Loaded x 100 / total while loading, else 100.
    std::uint32_t GetPercent() const;

    // Give back one reference of each listed resource (Release), or drop
    // each whatever its count (Free); keep-cached ids stay either way.
    // Return whether the list was found.
    static std::uint8_t Release(std::uint32_t bankId);
    static std::uint8_t Free(std::uint32_t bankId);

private:
    // Gives the list back when loading has ended.
    void EndLoading();

    std::uint32_t m_bankId = 0;
    CKeysetResource* m_keyset = nullptr;
    std::uint32_t m_loaded = 0;
    std::uint32_t m_total = 0;
    std::uint32_t m_state = kIdle;
};
