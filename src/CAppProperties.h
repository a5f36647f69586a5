// The build's text properties: switches for testing and debugging, read once
// at the start event from properties.dat or from a resource of the same
// form. One property a line, KEY=VALUE or KEY:VALUE; an empty line or one
// that begins with "!" or "#" is a comment; key and value are trimmed of
// blanks, and a pair is kept only when both are non-empty and the key is new
// (the first definition wins). Keys are kept as their case-sensitive hash.
#pragma once

#include <cstdint>

#include "platform/shared/components/CSingleton.h"
#include "platform/shared/core/CVector.h"

class CInputStream;

class CAppProperties : public CSingleton {
public:
    static constexpr std::uint32_t kClassId = 0x8C535A57;

    // The registered properties, created on a miss; null without an
    // application object.
    static CAppProperties* GetInstance();

    ~CAppProperties() override { Clear(); }

    // Clears the table, then reads every line the stream has.
    void Load(CInputStream& stream);
    // The value, or null when the key is absent.
    const char* GetString(const char* key) const;
    // The value as a decimal number; 0 when absent.
    std::int32_t GetInt(const char* key) const;
    // True when the value is "true" in any case.
    bool GetBool(const char* key) const;
    bool Has(const char* key) const { return GetString(key) != nullptr; }
    // Adds the pair when the key is absent; 1 when it was added.
    std::uint8_t Set(const char* key, const char* value);
    void Clear();

private:
    struct Entry;

    CAppProperties() : CSingleton(kClassId) {}
    const Entry* Find(const char* key) const;
    // One line of the text, without its line feed (the text may be changed).
    void AddLine(char* line);

    CVector m_entries;  // Entry pointers
};
