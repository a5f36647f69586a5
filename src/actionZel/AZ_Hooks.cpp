#include "src/actionZel/AZ_Hooks.h"

#include "platform/shared/core/ICCore.h"
#include "platform/shared/core/SystemEvent.h"
#include "src/actionZel/AZ_Client.h"

namespace {

AZ_HookListener* g_listener = nullptr;

// Hands the call to the test listener; its result, or the fixed one.
std::int32_t Tell(AZ_Hook hook, AZ_Presenter* presenter, std::int32_t result, std::int32_t a = 0,
                  std::int32_t b = 0, std::int32_t c = 0, std::int32_t d = 0) {
    if (g_listener == nullptr) return result;
    const std::int32_t heard = g_listener->onHook(AZ_HookCall{hook, presenter, {a, b, c, d}});
    return hook == AZ_Hook::HandlerBegin ? heard : result;
}

}  // namespace

void AZ_SetHookListener(AZ_HookListener* listener) { g_listener = listener; }

std::int32_t AZ_OnInterrupt(std::int32_t code) {
    Tell(AZ_Hook::Interrupt, nullptr, 0, code);
    std::uint32_t event = 0;
    switch (code) {
    case 1: event = EVENT_GAME_INTERRUPT_1; break;
    case 3: event = EVENT_GAME_INTERRUPT_3; break;
    case 4: event = EVENT_GAME_INTERRUPT_4; break;
    default: return 0;
    }
    if (ICCore* core = ICCore::GetInstance()) core->PostEvent(event, 0, 0);
    if (AZ_Client* client = AZ_Client::getInstance()) client->setInterrupt(2);
    return 0;
}

void AZ_OnPostInterruptUpdate(std::int32_t code, std::int32_t frameTime) {
    Tell(AZ_Hook::PostInterruptUpdate, nullptr, 0, code, frameTime);
}

std::int32_t AZ_OnRenderInterrupt(std::int32_t code) { return Tell(AZ_Hook::RenderInterrupt, nullptr, 0, code); }

void AZ_OnPostRenderInterrupt(std::int32_t code) { Tell(AZ_Hook::PostRenderInterrupt, nullptr, 0, code); }

std::int32_t AZ_OnPreUpdate(AZ_Presenter* presenter, std::int32_t callbackId, std::int32_t codeId,
                            std::int32_t codeSlot, std::int32_t frameTime) {
    return Tell(AZ_Hook::PreUpdate, presenter, 1, callbackId, codeId, codeSlot, frameTime);
}

void AZ_OnPostUpdate(AZ_Presenter* presenter, std::int32_t callbackId, std::int32_t codeId, std::int32_t codeSlot,
                     std::int32_t frameTime) {
    Tell(AZ_Hook::PostUpdate, presenter, 0, callbackId, codeId, codeSlot, frameTime);
}

std::int32_t AZ_OnPreRender(AZ_Presenter* presenter, std::int32_t callbackId, std::int32_t codeId,
                            std::int32_t codeSlot) {
    return Tell(AZ_Hook::PreRender, presenter, 1, callbackId, codeId, codeSlot);
}

void AZ_OnPostRender(AZ_Presenter* presenter, std::int32_t callbackId, std::int32_t codeId, std::int32_t codeSlot) {
    Tell(AZ_Hook::PostRender, presenter, 0, callbackId, codeId, codeSlot);
}

void AZ_OnPresenterCreated(AZ_Presenter* presenter) { Tell(AZ_Hook::PresenterCreated, presenter, 0); }
void AZ_OnSpawnBegin(AZ_Presenter* presenter) { Tell(AZ_Hook::SpawnBegin, presenter, 0); }
void AZ_OnSpawnEnd(AZ_Presenter* presenter) { Tell(AZ_Hook::SpawnEnd, presenter, 0); }
void AZ_OnRowRemoveBegin(AZ_Presenter* presenter) { Tell(AZ_Hook::RowRemoveBegin, presenter, 0); }
void AZ_OnRowRemoveEnd(AZ_Presenter* presenter) { Tell(AZ_Hook::RowRemoveEnd, presenter, 0); }
void AZ_OnPresenterRelease(AZ_Presenter* presenter) { Tell(AZ_Hook::PresenterRelease, presenter, 0); }

std::int32_t AZ_OnHandlerBegin(AZ_Presenter* presenter, std::int32_t eventId) {
    return Tell(AZ_Hook::HandlerBegin, presenter, 1, eventId);
}

void AZ_OnHandlerEnd(AZ_Presenter* presenter, std::int32_t eventId) {
    Tell(AZ_Hook::HandlerEnd, presenter, 0, eventId);
}
