#include "platform/shared/core/CHash.h"

#include <cstring>
#include <new>

#include "platform/shared/components/CPool.h"
#include "platform/shared/core/Debug.h"

namespace {

// A byte as the signed char it was, widened to 32 bits: 0xE9 mixes in as
// 0xFFFFFFE9 whatever the signedness of char.
std::uint32_t SignedByte(char c) {
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int8_t>(c)));
}

}  // namespace

std::uint32_t HashString(const char* text, bool caseInsensitive) {
    const std::size_t length = std::strlen(text);
    auto h = static_cast<std::uint32_t>(length);
    for (const char* p = text; p != text + length; ++p) {
        const char c = (caseInsensitive && *p >= 'A' && *p <= 'Z') ? static_cast<char>(*p - 'A' + 'a') : *p;
        h = ((h << 4) | (h >> 28)) ^ SignedByte(c);
    }
    return h;
}

CHash::CHash() { SetClassId(kClassId); }

CHash::~CHash() { Destroy(); }

std::int32_t CHash::NextOddPrime(std::int32_t n) {
    std::int32_t candidate = (n % 2 != 0) ? n : n + 1;
    for (;;) {
        std::int64_t d = 3;
        while (d * d <= candidate && candidate % d != 0) d += 2;
        if (d * d > candidate) return candidate;
        candidate += 2;
    }
}

bool CHash::Init(std::int32_t requestedBuckets, std::uint32_t nodesPerBlock, bool growable) {
    Destroy();
    const std::int32_t count = NextOddPrime(requestedBuckets);
    if (count < 1) return false;  // a negative request has no table
    m_buckets = new (std::nothrow) CHashNode*[static_cast<std::size_t>(count)]();
    if (m_buckets == nullptr) return false;
    m_bucketCount = count;
    m_pool = new (std::nothrow) CPool(nodesPerBlock, sizeof(CHashNode), growable);
    return m_pool != nullptr;
}

std::uint32_t CHash::BucketOf(std::uintptr_t key) const {
    return static_cast<std::uint32_t>(key % static_cast<std::uint32_t>(m_bucketCount));
}

void CHash::Insert(std::uintptr_t key, std::uintptr_t value) {
    if (m_pool == nullptr) return;
    auto* node = static_cast<CHashNode*>(m_pool->Alloc(sizeof(CHashNode)));
    if (node == nullptr) return;
    CHashNode*& head = m_buckets[BucketOf(key)];
    node->key = key;
    node->value = value;
    node->next = head;
    head = node;
}

bool CHash::Find(std::uintptr_t key, std::uintptr_t* value) const {
    if (m_bucketCount == 0) return false;
    for (const CHashNode* node = m_buckets[BucketOf(key)]; node != nullptr; node = node->next) {
        if (node->key == key) {
            if (value != nullptr) *value = node->value;
            return true;
        }
    }
    return false;
}

void CHash::Remove(std::uintptr_t key) {
    if (m_bucketCount == 0) return;
    CHashNode** link = &m_buckets[BucketOf(key)];
    for (CHashNode* node = *link; node != nullptr; link = &node->next, node = node->next) {
        if (node->key == key) {
            *link = node->next;
            m_pool->Free(node);
            return;
        }
    }
}

void CHash::RemoveAll() {
    for (std::int32_t b = 0; b < m_bucketCount; ++b) {
        while (CHashNode* head = m_buckets[b]) {
            m_buckets[b] = head->next;
            m_pool->Free(head);
        }
    }
}

void CHash::Destroy() {
    delete[] m_buckets;
    m_buckets = nullptr;
    m_bucketCount = 0;
    delete m_pool;
    m_pool = nullptr;
}

CHashNode* CHash::GetBucket(std::int32_t index) const {
    DebugAssert(index >= 0 && index < m_bucketCount, "CHash", 144);
    return m_buckets[index];
}

void CHash::InsertString(const char* text, std::uintptr_t value, std::uint32_t* hash) {
    const std::uint32_t key = HashKey(text, false);
    *hash = key;
    Insert(key, value);
}

std::uint32_t CHash::HashKey(const char* text, bool caseInsensitive) { return HashString(text, caseInsensitive); }
