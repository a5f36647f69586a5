#include <algorithm>
#include <iterator>
#include <new>

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Hooks.h"
#include "src/actionZel/AZ_Manager.h"
#include "src/actionZel/AZ_Presenter.h"

namespace {

constexpr char kSourcePath[] = "..\\..\\src\\actionZel\\AZ_Presenter_Singleton.cpp";

bool IsValidType(std::int32_t type, std::int32_t count, const char* line) {
    if (type >= 0 && type < count) return true;
    AZ_LogError(line);
    return false;
}

}  // namespace

AZ_Presenter_Singleton* AZ_Presenter_Singleton::s_instance = nullptr;

AZ_CodeSlotMemory::AZ_CodeSlotMemory(std::int32_t words) {
    if (words <= 0) return;
    m_words = new (std::nothrow) std::int32_t[static_cast<std::size_t>(words)];
    m_marks = new (std::nothrow) std::uint32_t[static_cast<std::size_t>(words)]();
    if (m_words != nullptr && m_marks != nullptr) m_size = words;
}

AZ_CodeSlotMemory::~AZ_CodeSlotMemory() {
    delete[] m_words;
    delete[] m_marks;
}

void AZ_CodeSlotMemory::fill(std::int32_t value) {
    std::fill(m_words, m_words + m_size, value);
    std::fill(m_marks, m_marks + m_size, ++m_lastMark);
}

std::int32_t AZ_CodeSlotMemory::accessError() {
    AZ_LogError("[ AZ ] [ ERROR ] - AZ_Presenter, access error");
    return 0;
}

AZ_Presenter_Singleton::AZ_Presenter_Singleton()
    : m_memory(AZ_GetManager() != nullptr ? AZ_GetManager()->getTotalWords() : 0) {
    s_instance = this;
}

AZ_Presenter_Singleton::~AZ_Presenter_Singleton() {
    release();
    if (s_instance == this) s_instance = nullptr;
}

bool AZ_Presenter_Singleton::init(std::int32_t count) {
    if (count > AZ__MAX_PRESENTER) {
        AZ_Fail("[ AZ ] [ ERROR ] - AZ_Presenter : Pool size exceed AZ__MAX_PRESENTER limit", kSourcePath, __LINE__);
    }
    release();
    if (count <= 0 || m_memory.getSize() == 0) return false;
    m_presenters = new (std::nothrow) AZ_Presenter[static_cast<std::size_t>(count)];
    if (m_presenters == nullptr) return false;
    for (std::int32_t i = 0; i < count; ++i) {
        m_presenters[i].m_lookup = m_lookups[i];
        m_presenters[i].m_run = &m_runs[i];
    }
    m_poolSize = count;
    if (const AZ_Client* client = AZ_Client::getInstance()) m_numCharacterTypes = client->getData()->getNumCharacters();
    reset();
    return true;
}

void AZ_Presenter_Singleton::reset() {
    m_memory.fill(AZ_FREE);
    std::fill(std::begin(m_codeList), std::end(m_codeList), AZ_FREE_ENTRY);
    for (std::int32_t i = 0; i < m_poolSize; ++i) m_presenters[i].reset();
    m_highWaterMark = 0;
}

void AZ_Presenter_Singleton::release() {
    delete[] m_presenters;
    m_presenters = nullptr;
    m_poolSize = 0;
}

AZ_Presenter* AZ_Presenter_Singleton::createPresenter(std::int32_t type, std::int32_t x, std::int32_t y) {
    if (!IsValidType(type, m_numCharacterTypes, "[ AZ ][ ERROR ] - AZ_Client Invalid character Id")) return nullptr;
    AZ_Presenter* presenter = allocate(x, y, type);
    if (presenter != nullptr) AZ_OnPresenterCreated(presenter);
    return presenter;
}

AZ_Presenter* AZ_Presenter_Singleton::allocate(std::int32_t x, std::int32_t y, std::int32_t type) {
    if (!IsValidType(type, m_numCharacterTypes, "[ AZ ][ ERROR ] - AZ_Presenter Invalid character Id")) return nullptr;
    for (std::int32_t i = 0; i < m_poolSize; ++i) {
        AZ_Presenter& p = m_presenters[i];
        if (p.m_characterType != AZ_Presenter::kNone) continue;
        p.newCharacter();
        p.m_x = x;
        p.m_y = y;
        p.m_characterType = static_cast<std::uint16_t>(type);
        p.m_id = static_cast<std::uint16_t>(i);
        p.m_updateEnabled = p.m_renderEnabled = 1;
        m_highWaterMark = std::max(m_highWaterMark, i + 1);
        return &p;
    }
    return nullptr;
}
