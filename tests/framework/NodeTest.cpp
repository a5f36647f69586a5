// State machines over recording nodes: what each node saw, in order.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/shared/core/SystemEvent.h"
#include "src/CStateMachineNode.h"

namespace {

// "Ia" Init of node a, "Ua" Update, "Da" Draw, "Xa" Exit, "~a" deleted;
// events "Ra" redraw, "Sa" suspend, "Ka" key; "?1" OnStateResult seeing
// result 1; "|" between two Updates of the machine.
std::string g_log;

// The node of state n is named 'a' + n - 1; state 1 sets results 1 then 2
// in its updates, state 2 draws.
class Node : public CNode {
public:
    explicit Node(std::uint32_t id) : m_id(id) {}
    ~Node() override { Log('~'); }
    std::int32_t Init() override { return Log('I'), 0; }
    void Exit() override { Log('X'); }
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t, std::uintptr_t) override {
        return Log(id == EVENT_REDRAW ? 'R' : id == EVENT_SUSPEND ? 'S' : 'K'), 1;
    }
    std::uint32_t Update(std::uint32_t dt) override {
        Log('U');
        SetResult(m_id == 1 ? 1 : 0);
        SetResult(m_id == 1 ? 2 : 0);
        return CNode::Update(dt);
    }
    std::uint8_t Draw() override { return Log('D'), m_id == 2 ? 1 : 0; }

private:
    void Log(char what) { g_log.append({what, static_cast<char>('a' + m_id - 1), ' '}); }
    std::uint32_t m_id;
};

// State 9 is a machine like this one.
class Machine : public CStateMachineNode {
public:
    std::function<void(Machine&)> onResult;

protected:
    std::int32_t CreateState(CNode** node, std::uint32_t id) override {
        *node = id == 9 ? static_cast<CNode*>(new Machine()) : new Node(id);
        return 0;
    }
    void OnStateResult(std::uint32_t, CNode* node) override {
        g_log.append("?").append(std::to_string(node->GetResult())).append(" ");
        if (onResult) onResult(*this);
    }
};

void Frame(Machine& m, std::uint32_t dt = 0) {
    if (!g_log.empty()) g_log += "| ";
    m.Update(dt);
}

void Push(Machine& m, std::uint32_t id) {
    m.RequestState(id, CStateMachineNode::kPush);
    Frame(m);
}

TEST(StateMachine, TransitionsEventsAndDrawing) {
    using M = CStateMachineNode;
    const struct {
        std::function<void(Machine&)> steps;
        std::string expected;
    } cases[] = {
        // Of two requests the second is done.
        {[](Machine& m) { m.RequestState(2, M::kPush), Push(m, 3); }, "Ic Uc "},
        // The first result counts and is seen every frame; a request made
        // in OnStateResult waits for the next frame.
        {[](Machine& m) {
             m.onResult = [calls = 0](Machine& self) mutable {
                 if (++calls == 2) self.RequestState(2, M::kReplace);
             };
             Push(m, 1), Frame(m), Frame(m);
         },
         "Ia Ua ?1 | Ua ?1 | Xa ~a Ib Ub "},
        // Back to an absent state: the stack empties, then the state comes.
        {[](Machine& m) { Push(m, 1), Push(m, 3), m.RequestState(4, M::kPopBack), Frame(m); },
         "Ia Ua ?1 | Ra Ic Uc | Xc ~c Ra Xa ~a Id Ud "},
        // The eleventh push is refused and its node deleted.
        {[](Machine& m) {
             for (std::uint32_t id = 3; id <= 12; ++id) Push(m, id);
             g_log.clear();
             Push(m, 13), g_log += std::to_string(m.GetDepth());
         },
         "~m Ul 10"},
        // Once a node has drawn, the nodes above it redraw fully.
        {[](Machine& m) {
             for (std::uint32_t id : {3, 2, 4}) Push(m, id);
             g_log.clear();
             const int drew = m.Draw();
             g_log += std::to_string(drew);
         },
         "Dc Db Rd Dd 1"},
        // Broadcasts reach every node of nested stacks, keys the top chain.
        {[](Machine& m) {
             Push(m, 3), Push(m, 9);
             auto* inner = static_cast<Machine*>(m.GetCurrentNode());
             inner->RequestState(11, M::kPush), Frame(m), inner->RequestState(12, M::kPush), Frame(m);
             g_log.clear();
             m.HandleEvent(EVENT_SUSPEND, 0, 0), m.HandleEvent(EVENT_KEY_PRESS, 11, 0);
         },
         "Sc Sk Sl Kl "},
        // Elapsed time stops at its largest value.
        {[](Machine& m) {
             Push(m, 3), Frame(m, 0x7FFFFFF0), Frame(m, 0x7FFFFFF0);
             g_log = std::to_string(m.GetCurrentNode()->GetElapsed());
         },
         "2147483647"},
    };
    for (const auto& c : cases) {
        g_log.clear();
        {
            Machine machine;
            machine.Init();
            c.steps(machine);
            EXPECT_EQ(g_log, c.expected) << c.expected;
        }
    }
    g_log.clear();
}

}  // namespace
