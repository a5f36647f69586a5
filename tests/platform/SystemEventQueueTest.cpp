#include <gtest/gtest.h>

#include "platform/shared/core/CSystemEventQueue.h"

namespace {

TEST(SystemEventQueue, KeepsTheFirst24InOrderAndReadsOutsideAsCleared) {
    CSystemEventQueue queue;
    for (std::uint32_t i = 0; i < 30; ++i) queue.Push(SystemEvent{100 + i, static_cast<std::uint16_t>(i), i * 3});
    ASSERT_EQ(queue.GetCount(), 24);
    SystemEvent e;
    queue.GetEvent(23, e);
    EXPECT_EQ(e.id, 123u);
    EXPECT_EQ(e.param1, 23);
    EXPECT_EQ(e.param2, 69u);
    for (std::int32_t index : {24, -1}) {
        queue.GetEvent(index, e);
        EXPECT_EQ(e.id, 0u) << index;
        EXPECT_EQ(e.param2, 0u) << index;
    }
}

}  // namespace
