#include <gtest/gtest.h>

#include "platform/shared/core/CSystemEventQueue.h"

namespace {

TEST(SystemEventQueue, KeepsTheFirst24InOrderAndDropsTheRest) {
    CSystemEventQueue queue;
    for (std::uint32_t i = 0; i < 30; ++i) queue.Push(SystemEvent{100 + i, static_cast<std::uint16_t>(i), i * 3});
    ASSERT_EQ(queue.GetCount(), 24);
    for (std::int32_t i = 0; i < 24; ++i) {
        SystemEvent e;
        queue.GetEvent(i, e);
        EXPECT_EQ(e.id, 100u + static_cast<std::uint32_t>(i));
        EXPECT_EQ(e.param1, i);
        EXPECT_EQ(e.param2, static_cast<std::uintptr_t>(i) * 3);
    }
    queue.Clear();
    EXPECT_EQ(queue.GetCount(), 0);
    queue.Push(SystemEvent{7, 0, 0});
    EXPECT_EQ(queue.GetCount(), 1);
}

TEST(SystemEventQueue, ReadingOutsideTheQueueYieldsAClearedRecord) {
    CSystemEventQueue queue;
    queue.Push(SystemEvent{1, 2, 3});
    for (std::int32_t index : {1, 24, 25, -1, 1000}) {
        SystemEvent e{9, 9, 9};
        queue.GetEvent(index, e);
        EXPECT_EQ(e.id, 0u) << index;
        EXPECT_EQ(e.param1, 0) << index;
        EXPECT_EQ(e.param2, 0u) << index;
    }
}

}  // namespace
