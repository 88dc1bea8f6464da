// The Qt services that hand work to the main thread: alert view and dispatch.

#include <gtest/gtest.h>

#include <QPointer>
#include <QThread>
#include <atomic>
#include <memory>
#include <thread>

#include "QtTestChild.h"
#include "platform/qt/QtAlertView.h"
#include "platform/qt/QtDispatch.h"

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

}  // namespace
}  // namespace balalaika::testing
