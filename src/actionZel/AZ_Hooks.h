// The points at which the engine calls the game: around the passes of a
// frame, around each behaviour and visual of a presenter that holds a
// custom-code callback, at a character's spawn and removal, and around each
// state handler. In this game every hook has a fixed result; the interrupt
// hook turns the engine's interrupt code into an application event.
#pragma once

#include <cstdint>

class AZ_Presenter;

// Start of an update while the interrupt code is not -1. Codes 1, 3 and 4
// post EVENT_GAME_INTERRUPT_1, _3 or _4 through the platform core and set
// the code to 2 (held); other codes post nothing. Returns 0: no presenter
// is updated.
std::int32_t AZ_OnInterrupt(std::int32_t code);
// End of an update while interrupted.
void AZ_OnPostInterruptUpdate(std::int32_t code, std::int32_t frameTime);
// Start of a render while interrupted. Returns 0: the view is filled black.
std::int32_t AZ_OnRenderInterrupt(std::int32_t code);
// End of a render while interrupted.
void AZ_OnPostRenderInterrupt(std::int32_t code);

// Around each behaviour of a presenter holding b_customCodeCallback, with
// that unit's callback id and the frame time the pass was given. Returns 1:
// the behaviour runs.
std::int32_t AZ_OnPreUpdate(AZ_Presenter* presenter, std::int32_t callbackId, std::int32_t codeId,
                            std::int32_t codeSlot, std::int32_t frameTime);
void AZ_OnPostUpdate(AZ_Presenter* presenter, std::int32_t callbackId, std::int32_t codeId, std::int32_t codeSlot,
                     std::int32_t frameTime);
// Around each visual of a presenter holding v_customCodeCallback. Returns 1:
// the visual draws.
std::int32_t AZ_OnPreRender(AZ_Presenter* presenter, std::int32_t callbackId, std::int32_t codeId,
                            std::int32_t codeSlot);
void AZ_OnPostRender(AZ_Presenter* presenter, std::int32_t callbackId, std::int32_t codeId, std::int32_t codeSlot);

// End of AZ_Presenter_Singleton::createPresenter.
void AZ_OnPresenterCreated(AZ_Presenter* presenter);
// Start and end of AZ_Client::spawnCharacter (the end after the enter event).
void AZ_OnSpawnBegin(AZ_Presenter* presenter);
void AZ_OnSpawnEnd(AZ_Presenter* presenter);
// Start and end of removing a character's row.
void AZ_OnRowRemoveBegin(AZ_Presenter* presenter);
void AZ_OnRowRemoveEnd(AZ_Presenter* presenter);
// Start of AZ_Presenter::release.
void AZ_OnPresenterRelease(AZ_Presenter* presenter);
// Before a state's handler runs. Returns 1: the handler runs; any other
// value counts the event as handled without running it.
std::int32_t AZ_OnHandlerBegin(AZ_Presenter* presenter, std::int32_t eventId);
// After a handler's calls.
void AZ_OnHandlerEnd(AZ_Presenter* presenter, std::int32_t eventId);

// Test hook: every hook call is also handed to the listener, whose result
// replaces the handler filter's (the other hooks keep theirs).
enum class AZ_Hook : std::uint8_t {
    Interrupt,
    PostInterruptUpdate,
    RenderInterrupt,
    PostRenderInterrupt,
    PreUpdate,
    PostUpdate,
    PreRender,
    PostRender,
    PresenterCreated,
    SpawnBegin,
    SpawnEnd,
    RowRemoveBegin,
    RowRemoveEnd,
    PresenterRelease,
    HandlerBegin,
    HandlerEnd,
};
struct AZ_HookCall {
    AZ_Hook hook;
    AZ_Presenter* presenter;  // null for the interrupt hooks
    std::int32_t args[4];     // the other arguments in order, unused ones 0
};
class AZ_HookListener {
public:
    virtual ~AZ_HookListener() = default;
    virtual std::int32_t onHook(const AZ_HookCall& call) = 0;
};
void AZ_SetHookListener(AZ_HookListener* listener);
