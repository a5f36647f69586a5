// The start-up scene: the language menu (when the archive has two or more
// languages) or the touch-screen notice (once, when the device asks for
// it), the sound question (unless sound is disabled), the splash movie with
// its jingle and the loading of the bank and the sprites. 1 when loading
// is done, 2 on back.
#pragma once

#include <cstdint>

#include "src/CStateMachineNode.h"

class CInitScene : public CStateMachineNode {
public:
    static constexpr std::int32_t kMaxLanguages = 20;
    enum State : std::uint32_t { kLanguageMenu = 1, kNotice = 2, kSoundQuestion = 3, kSplash = 4, kLoading = 5 };

    std::int32_t Init() override;

protected:
    std::int32_t CreateState(CNode** node, std::uint32_t id) override;
    void OnStateResult(std::uint32_t id, CNode* node) override;

private:
    CNode* NewLanguageMenu();
    // The splash, or the sound question first.
    void RequestAfterLanguage(std::uint32_t kind);

    const char16_t* m_languageNames[kMaxLanguages] = {};
};
