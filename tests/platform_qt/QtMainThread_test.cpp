// The Qt services that live on the main thread: alert view, dispatch, run loop.

#include <gtest/gtest.h>

#include <QPointer>
#include <QThread>
#include <atomic>
#include <memory>
#include <thread>

#include "QtTestChild.h"
#include "platform/qt/QtAlertView.h"
#include "platform/qt/QtDispatch.h"
#include "platform/qt/QtRunLoop.h"

namespace balalaika::testing {
namespace {

TEST(QtAlertView, GivenAnAlertReleasedOnAnotherThread_ThenItIsDeletedOnTheMainThread) {
  qt::QtAlertViewFactory factory;
  auto alert = factory.create("t", "m", nullptr, "Rate", {"Later"});
  QPointer<qt::QtAlertView> first = factory.currentAlert();
  factory.create("t2", "m", nullptr, "Rate", {"Later"});  // the factory lets go of the first

  std::thread background([held = std::move(alert)]() mutable { held.reset(); });
  background.join();
  EXPECT_FALSE(first.isNull());  // not deleted on the background thread
  EXPECT_TRUE(processEventsUntil([&] {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return first.isNull();
  }));
}

TEST(QtDispatch, GivenTasksFromABackgroundThread_ThenMainTasksRunOnTheMainThreadInOrderAndOthersOffIt) {
  // Shared with the tasks, so that nothing they touch can end before they do.
  struct State {
    qt::QtDispatch dispatch;
    std::vector<int> order;  // touched on the main thread only
    std::atomic<bool> backgroundOffMain{false};
    std::atomic<bool> backgroundRan{false};
    QThread* mainThread = QThread::currentThread();
  };
  auto state = std::make_shared<State>();

  state->dispatch.async([state] {
    state->backgroundOffMain = QThread::currentThread() != state->mainThread;
    for (int i = 0; i < 5; ++i) {
      state->dispatch.asyncMain([state, i] {
        if (QThread::currentThread() == state->mainThread) state->order.push_back(i);
      });
    }
    state->backgroundRan = true;
  });
  ASSERT_TRUE(processEventsUntil([&] { return state->order.size() == 5 && state->backgroundRan; }));
  EXPECT_TRUE(state->backgroundOffMain);
  EXPECT_EQ(state->order, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(QtRunLoop, GivenAOneShotAndARepeatingTimer_ThenTheOneShotFiresOnceAndTheRepeatingOneUntilItInvalidatesItself) {
  qt::QtRunLoop loop;
  int once = 0;
  int repeats = 0;
  const auto oneShot = loop.scheduleOnce(0.01, [&] { ++once; });
  platform::RunLoop::TimerId repeating = 0;
  repeating = loop.scheduleRepeating(0.005, [&] {
    if (++repeats == 3) loop.invalidate(repeating);  // from its own callback
  });

  ASSERT_TRUE(processEventsUntil([&] { return once == 1 && repeats == 3; }));
  processEventsUntil([] { return false; }, 50);  // nothing more may fire
  EXPECT_EQ(once, 1);
  EXPECT_EQ(repeats, 3);
  EXPECT_FALSE(loop.isValid(oneShot));
  EXPECT_FALSE(loop.isValid(repeating));
}

}  // namespace
}  // namespace balalaika::testing
