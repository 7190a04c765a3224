#include "vouchers/handoff_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace qj::vouchers {
namespace {

TEST(HandoffQueue, EveryItemArrivesOnceAndInOrderThroughASmallQueue) {
  HandoffQueue<int> queue(3);
  std::thread producer([&queue] {
    for (int i = 0; i < 5000; ++i) EXPECT_TRUE(queue.push(i));
    queue.finish();
  });
  std::vector<int> received;
  while (auto item = queue.pop()) received.push_back(*item);
  producer.join();
  ASSERT_EQ(received.size(), 5000U);
  for (int i = 0; i < 5000; ++i) ASSERT_EQ(received[static_cast<std::size_t>(i)], i);
}

TEST(HandoffQueue, AFinishedQueueIsEmptiedBeforeItSaysSo) {
  HandoffQueue<int> queue(4);
  EXPECT_TRUE(queue.push(1));
  EXPECT_TRUE(queue.push(2));
  queue.finish();
  EXPECT_EQ(queue.pop(), 1);
  EXPECT_EQ(queue.pop(), 2);
  EXPECT_EQ(queue.pop(), std::nullopt);
}

// The consumer giving up must free a producer waiting on a full queue, or the
// producer's thread could never be joined.
TEST(HandoffQueue, ClosingDropsWhatWaitsAndFreesAProducerWaitingForRoom) {
  HandoffQueue<int> queue(1);
  EXPECT_TRUE(queue.push(1));
  std::atomic<bool> pushing = false;
  bool accepted = true;
  std::thread producer([&] {
    pushing = true;
    accepted = queue.push(2);
  });
  while (!pushing) std::this_thread::yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));  // let it wait for room
  queue.close();
  producer.join();
  EXPECT_FALSE(accepted);
  EXPECT_EQ(queue.pop(), std::nullopt);
  EXPECT_FALSE(queue.push(3));
}

}  // namespace
}  // namespace qj::vouchers
