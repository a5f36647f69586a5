// Root of most classes: a virtual destructor and a 32-bit class id word that
// each constructor overwrites with its own class's constant, so the word
// always names the most derived class.
#pragma once

#include <cstdint>

class CClass {
public:
    static constexpr std::uint32_t kClassId = 0x0275A643;

    CClass() = default;
    explicit CClass(std::uint32_t classId) : m_classId(classId) {}
    virtual ~CClass() = default;

    CClass(const CClass&) = default;
    CClass& operator=(const CClass&) = default;

    std::uint32_t GetClassId() const { return m_classId; }
    void SetClassId(std::uint32_t classId) { m_classId = classId; }

private:
    std::uint32_t m_classId = kClassId;
};
