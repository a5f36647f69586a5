// Chained hash table from keys to values, with its nodes in a pool, and the
// string hash that turns names into keys.
//
// Keys and values are uintptr_t: the program keys tables by 32-bit ids and
// hashes, and by object addresses (registry accelerator, managed pool); the
// values are mostly object pointers. A 32-bit key lands in the same bucket
// as it always did (key modulo bucket count).
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"

class CPool;

// One entry. Walkers read key and value and follow next; the application's
// shutdown clears the value of the entry whose object it deletes.
struct CHashNode {
    std::uintptr_t key;
    std::uintptr_t value;
    CHashNode* next;
};

class CHash : public CClass {
public:
    static constexpr std::uint32_t kClassId = 0x0017E658;

    CHash();
    ~CHash() override;

    CHash(const CHash&) = delete;
    CHash& operator=(const CHash&) = delete;

    // Sizes the bucket array (NextOddPrime of the request) and creates the
    // node pool. False when either cannot be allocated.
    bool Init(std::int32_t requestedBuckets, std::uint32_t nodesPerBlock, bool growable);
    // Links a new node at the head of the key's bucket; an older node with
    // the same key is shadowed, not replaced. When no node can be had the
    // table is left as it was.
    void Insert(std::uintptr_t key, std::uintptr_t value);
    bool Find(std::uintptr_t key, std::uintptr_t* value) const;
    // Removes the newest node with the key, if any.
    void Remove(std::uintptr_t key);
    void RemoveAll();
    // Frees the buckets (count back to 0) and the node pool.
    void Destroy();

    std::int32_t GetBucketCount() const { return m_bucketCount; }
    CHashNode* GetBucket(std::int32_t index) const;

    void InsertString(const char* text, std::uintptr_t value, std::uint32_t* hash);
    static std::uint32_t HashKey(const char* text, bool caseInsensitive);

    // Smallest odd number at or above n with no odd divisor from 3 up to its
    // square root (1 for n <= 1).
    static std::int32_t NextOddPrime(std::int32_t n);

private:
    std::uint32_t BucketOf(std::uintptr_t key) const;

    CPool* m_pool = nullptr;
    std::int32_t m_bucketCount = 0;
    CHashNode** m_buckets = nullptr;
};

// 32-bit hash of a zero-terminated string, seeded with its length: each byte,
// taken as a signed 8-bit value, is mixed in by a 4-bit left rotation and an
// exclusive or. The case-insensitive form folds 'A'-'Z' to lower case first.
std::uint32_t HashString(const char* text, bool caseInsensitive);
