// State machines over recording nodes: what each node saw, in order.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/shared/core/SystemEvent.h"
#include "src/CStateMachineNode.h"

namespace {

// "Ia" Init of node a, "Ua" Update, "Da" Draw, "Xa" Exit, "~a" deleted, and
// the events "Ra" redraw, "Sa" suspend, "Ka" key; "?1" OnStateResult with
// result 1; "|" between two Updates of the machine under test.
std::string g_log;

class Node : public CNode {
public:
    // Node of state id n is named 'a' + n - 1.
    explicit Node(std::uint32_t id) : m_name(static_cast<char>('a' + id - 1)) {}
    ~Node() override { Log('~'); }
    std::int32_t Init() override { return Log('I'), 0; }
    void Exit() override { Log('X'); }
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t, std::uintptr_t) override {
        Log(id == EVENT_REDRAW ? 'R' : id == EVENT_SUSPEND ? 'S' : 'K');
        return 1;
    }
    std::uint32_t Update(std::uint32_t dt) override {
        Log('U');
        SetResult(results);  // the first one counts
        SetResult(results * 2);
        return CNode::Update(dt);
    }
    std::uint8_t Draw() override { return Log('D'), draws; }

    std::int32_t results = 0;
    std::uint8_t draws = 0;

private:
    void Log(char what) { g_log.append({what, m_name, ' '}); }
    char m_name;
};

// States 1 to 8 and 11 to 15 are nodes; state 9 is a machine like this one,
// whose own states are pushed by the test.
class Machine : public CStateMachineNode {
public:
    std::function<void(Machine&, std::uint32_t id, CNode*)> onResult;
    std::function<void(Node&, std::uint32_t id)> configure;

protected:
    std::int32_t CreateState(CNode** node, std::uint32_t id) override {
        if (id == 9) {
            *node = new Machine();
            return 0;
        }
        auto* made = new Node(id);
        if (configure) configure(*made, id);
        *node = made;
        return 0;
    }
    void OnStateResult(std::uint32_t id, CNode* node) override {
        g_log.append("?").append(std::to_string(node->GetResult())).append(" ");
        if (onResult) onResult(*this, id, node);
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
        const char* name;
        std::function<void(Machine&)> steps;
        std::string expected;
    } cases[] = {
        {"the second of two requests",
         [](Machine& m) {
             m.RequestState(1, M::kPush);
             m.RequestState(2, M::kPush);
             Frame(m);
         },
         "Ib Ub "},
        {"results repeat; a request in OnStateResult waits a frame",
         [](Machine& m) {
             m.configure = [](Node& n, std::uint32_t id) { n.results = id == 1 ? 1 : 0; };
             m.onResult = [calls = 0](Machine& self, std::uint32_t, CNode*) mutable {
                 if (++calls == 2) self.RequestState(2, M::kReplace);
             };
             Push(m, 1);
             Frame(m);
             Frame(m);
         },
         "Ia Ua ?1 | Ua ?1 | Xa ~a Ib Ub "},
        {"pop back to an absent state empties the stack, then pushes",
         [](Machine& m) {
             Push(m, 1);
             Push(m, 2);
             m.RequestState(3, M::kPopBack);
             Frame(m);
         },
         "Ia Ua | Ra Ib Ub | Xb ~b Ra Xa ~a Ic Uc "},
        {"the eleventh push is refused and its node deleted",
         [](Machine& m) {
             for (std::uint32_t id = 1; id <= 10; ++id) Push(m, id);
             g_log.clear();
             Push(m, 11);
             g_log += std::to_string(m.GetDepth());
         },
         "~k Uj 10"},
        {"after the first drawing node, every node is told to redraw",
         [](Machine& m) {
             m.configure = [](Node& n, std::uint32_t id) { n.draws = id == 2 ? 1 : 0; };
             for (std::uint32_t id = 1; id <= 3; ++id) Push(m, id);
             g_log.clear();
             g_log += std::to_string(m.Draw());
         },
         "Da Db Rc Dc 1"},
        {"broadcasts reach every node of nested stacks, keys the top chain",
         [](Machine& m) {
             Push(m, 1);
             Push(m, 9);
             auto* inner = static_cast<Machine*>(m.GetCurrentNode());
             inner->RequestState(11, M::kPush);
             Frame(m);
             inner->RequestState(12, M::kPush);
             Frame(m);
             g_log.clear();
             m.HandleEvent(EVENT_SUSPEND, 0, 0);
             m.HandleEvent(EVENT_KEY_PRESS, 11, 0);
         },
         "Sa Sk Sl Kl "},
        {"elapsed time stops at its largest value",
         [](Machine& m) {
             Push(m, 1);
             g_log.clear();
             Frame(m, 0x7FFFFFF0);
             Frame(m, 0x7FFFFFF0);
             g_log += std::to_string(m.GetCurrentNode()->GetElapsed());
         },
         "Ua | Ua 2147483647"},
    };
    for (const auto& c : cases) {
        g_log.clear();
        {
            Machine machine;
            machine.Init();
            c.steps(machine);
            EXPECT_EQ(g_log, c.expected) << c.name;
        }
    }
    g_log.clear();
}

}  // namespace
