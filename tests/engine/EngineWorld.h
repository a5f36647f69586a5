// The engine's presenter store on a manager, as the engine's owner sets them
// up, with helpers to swap test units into the unit table and to write
// script parameters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "src/actionZel/AZ_Manager.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Unit.h"

// Allocations through the global operator new so far (AllocCount.cpp).
std::size_t AllocationCount();

struct EngineWorld {
    explicit EngineWorld(std::int32_t characterTypes = 4) {
        AZ_SetManager(&manager);
        store = std::make_unique<AZ_Presenter_Singleton>();
        store->init(AZ__MAX_PRESENTER);
        store->setNumCharacterTypes(characterTypes);
    }
    ~EngineWorld() {
        store.reset();
        AZ_SetManager(nullptr);
    }

    static AZ_Presenter* P(std::int32_t id) { return AZ_Presenter::getPresenter(id); }
    static std::int32_t Word(std::int32_t slot) { return AZ_Presenter_Singleton::getCodeSlotValue(slot); }
    static void SetWord(std::int32_t slot, std::int32_t v) { AZ_Presenter_Singleton::setCodeSlotValue(slot, v); }
    // The (code id, slot) entries of a presenter's run.
    std::vector<std::pair<int, int>> Run(std::int32_t id) const {
        std::vector<std::pair<int, int>> run;
        const AZ_Presenter* p = P(id);
        for (std::int32_t i = p->getRunStart(); i < p->getRunEnd(); ++i) {
            run.emplace_back(store->getCodeList()[i], store->getSlotList()[i]);
        }
        return run;
    }

    AZ_Manager manager;
    std::unique_ptr<AZ_Presenter_Singleton> store;
};

// Puts a test unit into one entry of the unit table for the scope.
class ScopedUnit {
public:
    ScopedUnit(std::int32_t codeId, const AZ_Unit& unit) : m_id(codeId), m_old(AZ_SwapUnit(codeId, unit)) {}
    ~ScopedUnit() { AZ_SwapUnit(m_id, m_old); }
    ScopedUnit(const ScopedUnit&) = delete;
    ScopedUnit& operator=(const ScopedUnit&) = delete;

private:
    std::int32_t m_id;
    AZ_Unit m_old;
};

// Script parameters as little-endian int16 words, placed at an odd address.
class ScriptParams {
public:
    ScriptParams(std::initializer_list<std::int32_t> values) : ScriptParams(std::vector<std::int32_t>(values)) {}
    explicit ScriptParams(const std::vector<std::int32_t>& values) : m_bytes(1) {
        for (std::int32_t v : values) {
            m_bytes.push_back(static_cast<std::uint8_t>(v));
            m_bytes.push_back(static_cast<std::uint8_t>(v >> 8));
        }
    }
    AZ_ParamArray View() const {
        return AZ_ParamArray(m_bytes.data() + 1, static_cast<std::int32_t>((m_bytes.size() - 1) / 2));
    }

private:
    std::vector<std::uint8_t> m_bytes;
};

// A regular expression matching the text literally.
inline std::string Literal(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) out += '\\';
        out += c;
    }
    return out;
}

// The death output of a failed engine check: its line, then the assertion.
inline std::string FailedCheck(const std::string& line, const std::string& source) {
    return Literal(line) + "\nASSERT FAILED - File: " + Literal(source) + ", Line: [0-9]+\n";
}
