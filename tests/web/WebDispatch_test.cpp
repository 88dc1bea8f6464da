#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeRunLoop.h"
#include "platform/web/WebDispatch.h"

namespace balalaika::web {
namespace {

// The page's one thread runs background and main work alike: in the order handed over, never
// inside the handing over, and work handed over by running work waits for a later turn, behind
// what was already queued.
TEST(PageWorkQueues, GivenWorkForBothQueues_ThenItRunsOnLaterTurnsInTheOrderHandedOver) {
  fakes::FakeRunLoop loop;
  std::vector<std::string> ran;
  {
    WebDispatch dispatch(loop);
    dispatch.async([&] {
      ran.push_back("count 1");
      dispatch.asyncMain([&] { ran.push_back("alert after count 1"); });
    });
    dispatch.asyncMain([&] { ran.push_back("main 1"); });
    dispatch.async([&] { ran.push_back("count 2"); });
    EXPECT_TRUE(ran.empty());

    loop.advance(0.0);
    EXPECT_EQ(ran, (std::vector<std::string>{"count 1", "main 1", "count 2", "alert after count 1"}));

    dispatch.async([&] { ran.push_back("late"); });
  }
  // Work still queued when the page's queues go is dropped, not run on a dead queue.
  loop.advance(1.0);
  EXPECT_EQ(ran.back(), "alert after count 1");
  EXPECT_EQ(loop.pendingCount(), 0u);
}

}  // namespace
}  // namespace balalaika::web
