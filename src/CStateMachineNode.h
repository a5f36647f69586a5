// A node that owns a stack of child nodes, each under a numbered state. The
// subclass makes the child of a state (CreateState) and turns a child's
// result into the next transition (OnStateResult); the machine performs at
// most one pending transition per Update, updates only the top child, draws
// the whole stack from the bottom up and hands key events down to the top
// child only, while the broadcast events reach every child.
#pragma once

#include <cstdint>

#include "src/CNode.h"

class CStateMachineNode : public CNode {
public:
    static constexpr std::uint32_t kClassId = 0x42621BD4;
    static constexpr std::int32_t kMaxDepth = 10;

    // Transition kinds.
    enum Kind : std::uint32_t {
        kNone = 0,
        kPush = 1,     // create the target's node and push it
        kReplace = 2,  // pop the top, then push the target
        kReset = 3,    // clear the stack, then push the target
        kPop = 4,      // pop the top (no target)
        kPopBack = 5,  // pop until the target is on top; push it if the stack runs empty
    };

    CStateMachineNode() { SetClassId(kClassId); }
    // Exits and deletes every stacked node.
    ~CStateMachineNode() override;

    // Empties everything and becomes active; subclasses then request their
    // first state.
    std::int32_t Init() override;
    void Exit() override;
    // Broadcast events go to every stacked node (handled: 1); others to the
    // top node only.
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) override;
    // Performs the pending transition, updates the top node and, while it
    // has a result, calls OnStateResult (every frame until something
    // changes). Requests made meanwhile wait for the next Update.
    std::uint32_t Update(std::uint32_t dt) override;
    // Draws from the bottom; once a node has drawn, every node above it gets
    // EVENT_REDRAW before its own Draw.
    std::uint8_t Draw() override;

    // The one pending transition; a later request replaces it.
    void RequestState(std::uint32_t id, std::uint32_t kind) {
        m_pendingTarget = id;
        m_pendingKind = kind;
    }
    // The node of the lowest entry with the state id, or null.
    CNode* FindState(std::uint32_t id) const;
    // Stacks the node under the id and runs its Init (already on top and
    // active), returning Init's result; a null node or a full stack is
    // refused with 1 and nothing changes.
    std::int32_t PushState(std::uint32_t id, CNode* node);

    CNode* GetCurrentNode() const { return m_current; }
    std::uint32_t GetCurrentStateId() const { return m_currentId; }
    std::int32_t GetDepth() const { return m_count; }

protected:
    // The new node of a state (null: the state has none); 0 for success.
    virtual std::int32_t CreateState(CNode** node, std::uint32_t id) = 0;
    virtual void OnStateResult(std::uint32_t id, CNode* node) = 0;

    // CreateState then PushState; a node the stack did not take is deleted.
    std::int32_t PushNewState(std::uint32_t id);
    // Exits the top node, deletes it and uncovers the one below.
    void PopState();
    std::int32_t PopBackTo(std::uint32_t id);
    void ClearStack();

private:
    struct Entry {
        std::uint32_t id;
        CNode* node;
    };

    // The top entry becomes current (result cleared, active); the nodes
    // below it (after a push) or all of them (after a pop) get EVENT_REDRAW.
    void RefreshTop(bool afterPush);

    Entry m_stack[kMaxDepth] = {};
    std::int32_t m_count = 0;
    std::uint32_t m_pendingTarget = 0;
    std::uint32_t m_pendingKind = kNone;
    CNode* m_current = nullptr;
    std::uint32_t m_currentId = 0;
};
