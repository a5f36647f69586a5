#include "src/CAppProperties.h"

#include <cstring>
#include <new>

#include "platform/shared/components/CInputStream.h"
#include "platform/shared/components/CStrChar.h"
#include "platform/shared/core/CHash.h"
#include "platform/shared/core/StringUtil.h"

struct CAppProperties::Entry {
    std::uint32_t keyHash;
    CStrChar value;
};

CAppProperties* CAppProperties::GetInstance() {
    CApp* app = CApp::GetInstance();
    if (app == nullptr || app->GetSingletonTable() == nullptr) return nullptr;
    if (CSingleton* found = CSingleton::Find(kClassId)) return static_cast<CAppProperties*>(found);
    return new (std::nothrow) CAppProperties();
}

void CAppProperties::Clear() {
    for (std::int32_t i = 0; i < m_entries.GetSize(); ++i) delete reinterpret_cast<Entry*>(m_entries.GetData()[i]);
    m_entries.Clear();
}

const CAppProperties::Entry* CAppProperties::Find(const char* key) const {
    if (key == nullptr) return nullptr;
    const std::uint32_t hash = HashString(key, false);
    for (std::int32_t i = 0; i < m_entries.GetSize(); ++i) {
        const auto* entry = reinterpret_cast<const Entry*>(m_entries.GetData()[i]);
        if (entry->keyHash == hash) return entry;
    }
    return nullptr;
}

const char* CAppProperties::GetString(const char* key) const {
    const Entry* entry = Find(key);
    return entry == nullptr ? nullptr : entry->value.GetBuffer();
}

std::int32_t CAppProperties::GetInt(const char* key) const {
    const char* value = GetString(key);
    return value == nullptr ? 0 : ParseDecimal(value);
}

bool CAppProperties::GetBool(const char* key) const {
    const char* value = GetString(key);
    if (value == nullptr) return false;
    static constexpr char kTrue[] = "true";
    for (int i = 0; i < 4; ++i) {
        if ((value[i] | 0x20) != kTrue[i]) return false;
    }
    return value[4] == '\0';
}

std::uint8_t CAppProperties::Set(const char* key, const char* value) {
    if (key == nullptr || Find(key) != nullptr) return 0;
    auto* entry = new (std::nothrow) Entry{HashString(key, false), CStrChar(value)};
    if (entry == nullptr) return 0;
    if (m_entries.Add(reinterpret_cast<std::uintptr_t>(entry)) != CVector::kOk) {
        delete entry;
        return 0;
    }
    return 1;
}

void CAppProperties::Load(CInputStream& stream) {
    Clear();
    // A line grows by pieces of up to 99 bytes, so lines have no length limit.
    CStrChar line;
    char piece[100];
    std::uint32_t used = 0;
    const auto flushPiece = [&] {
        piece[used] = '\0';
        line.Append(piece);
        used = 0;
    };
    std::uint8_t block[256];
    for (std::uint32_t left = stream.Available(); left > 0; left = stream.Available()) {
        const std::uint32_t n = left < sizeof block ? left : static_cast<std::uint32_t>(sizeof block);
        stream.Read(block, n);
        if (stream.HasError()) break;
        for (std::uint32_t i = 0; i < n; ++i) {
            if (block[i] != '\n') {
                piece[used++] = static_cast<char>(block[i]);
                if (used == sizeof piece - 1) flushPiece();
                continue;
            }
            flushPiece();
            AddLine(line.GetBuffer());
            line.Clear();
        }
    }
    flushPiece();
    AddLine(line.GetBuffer());
}

void CAppProperties::AddLine(char* line) {
    if (line == nullptr || line[0] == '\0' || line[0] == '!' || line[0] == '#') return;
    // Split at the first "=", or else at the first ":".
    char* separator = std::strchr(line, '=');
    if (separator == nullptr) separator = std::strchr(line, ':');
    const char* value = "";
    if (separator != nullptr) {
        *separator = '\0';
        value = separator + 1;
    }
    CStrChar trimmedKey(line);
    CStrChar trimmedValue(value);
    trimmedKey.Trim();
    trimmedValue.Trim();
    if (trimmedKey.GetLength() > 0 && trimmedValue.GetLength() > 0)
        Set(trimmedKey.GetBuffer(), trimmedValue.GetBuffer());
}
