// The Qt services that live on the main thread: alert view, application, dispatch, run loop.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QPointer>
#include <QVariant>
#include <atomic>
#include <memory>
#include <thread>

#include "platform/qt/QtAlertView.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtDispatch.h"
#include "platform/qt/QtRunLoop.h"

namespace balalaika::testing {
namespace {

template <typename Done>
bool runEventLoopUntil(Done done, int timeoutMs = 5000) {
  QDeadlineTimer deadline(timeoutMs);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

struct RecordingAlertDelegate : platform::AlertViewDelegate {
  void alertViewDidDismissWithButtonIndex(platform::AlertView&, int index) override { indexes.push_back(index); }
  std::vector<int> indexes;
};

TEST(QtAlertView, GivenANewAlert_ThenQmlSeesItsTextsAndButtonsInIndexOrderAndItsVisibility) {
  RecordingAlertDelegate delegate;
  qt::QtAlertViewFactory factory;
  int offered = 0;
  QObject::connect(&factory, &qt::QtAlertViewFactory::currentAlertChanged, [&] { ++offered; });

  const auto alert = factory.create("Rate Title", "Message", &delegate, "Rate Tuner", {"Remind me later"});
  qt::QtAlertView* current = factory.currentAlert();
  ASSERT_NE(current, nullptr);
  EXPECT_EQ(offered, 1);
  EXPECT_EQ(current->property("title").toString(), "Rate Title");
  EXPECT_EQ(current->property("message").toString(), "Message");
  EXPECT_EQ(current->property("buttonTitles").toStringList(), (QStringList{"Rate Tuner", "Remind me later"}));
  EXPECT_FALSE(current->property("visible").toBool());

  int visibilityChanges = 0;
  QObject::connect(current, &qt::QtAlertView::visibleChanged, [&] { ++visibilityChanges; });
  alert->show();
  EXPECT_TRUE(current->property("visible").toBool());
  EXPECT_TRUE(alert->isVisible());
  EXPECT_EQ(visibilityChanges, 1);
}

TEST(QtAlertView, GivenAVisibleAlert_WhenAButtonIsChosen_ThenTheDelegateHearsItOnceAndFurtherTapsAreIgnored) {
  RecordingAlertDelegate delegate;
  qt::QtAlertViewFactory factory;
  const auto alert = factory.create("t", "m", &delegate, "Rate", {"Later"});
  auto* view = factory.currentAlert();

  view->choose(1);  // not shown yet: ignored
  alert->show();
  view->choose(2);  // no such button: ignored
  EXPECT_TRUE(QMetaObject::invokeMethod(view, "choose", Q_ARG(int, 1)));
  view->choose(0);  // already gone

  EXPECT_EQ(delegate.indexes, std::vector<int>{1});
  EXPECT_FALSE(alert->isVisible());
}

TEST(QtAlertView, GivenAVisibleAlert_WhenDismissedProgrammatically_ThenTheDelegateReceivesTheGivenIndex) {
  RecordingAlertDelegate delegate;
  qt::QtAlertViewFactory factory;
  const auto alert = factory.create("t", "m", &delegate, "Rate", {"Later"});
  std::vector<std::pair<int, bool>> dismissals;
  QObject::connect(factory.currentAlert(), &qt::QtAlertView::dismissed,
                   [&](int index, bool animated) { dismissals.emplace_back(index, animated); });
  alert->show();
  alert->dismissWithClickedButtonIndex(-1, false);
  EXPECT_EQ(delegate.indexes, std::vector<int>{-1});
  EXPECT_EQ(dismissals, (std::vector<std::pair<int, bool>>{{-1, false}}));
}

TEST(QtAlertView, GivenAnAlertReleasedOnAnotherThread_ThenItIsDeletedOnTheMainThread) {
  qt::QtAlertViewFactory factory;
  auto alert = factory.create("t", "m", nullptr, "Rate", {"Later"});
  QPointer<qt::QtAlertView> first = factory.currentAlert();
  factory.create("t2", "m", nullptr, "Rate", {"Later"});  // the factory lets go of the first

  std::thread background([held = std::move(alert)]() mutable { held.reset(); });
  background.join();
  EXPECT_FALSE(first.isNull());  // not deleted on the background thread
  EXPECT_TRUE(runEventLoopUntil([&] {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return first.isNull();
  }));
}

TEST(QtApplication, GivenTheActiveState_WhenItIsLeft_ThenObserversAreToldOncePerDeparture) {
  qt::QtApplication application;
  int told = 0;
  application.addWillResignActiveObserver([&] { ++told; });
  application.handleApplicationStateChanged(Qt::ApplicationActive);
  application.handleApplicationStateChanged(Qt::ApplicationInactive);
  application.handleApplicationStateChanged(Qt::ApplicationSuspended);
  EXPECT_EQ(told, 1);
  application.handleApplicationStateChanged(Qt::ApplicationActive);
  application.handleApplicationStateChanged(Qt::ApplicationHidden);
  EXPECT_EQ(told, 2);
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
  ASSERT_TRUE(runEventLoopUntil([&] { return state->order.size() == 5 && state->backgroundRan; }));
  EXPECT_TRUE(state->backgroundOffMain);
  EXPECT_EQ(state->order, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(QtRunLoop, GivenAOneShotAndARepeatingTimer_ThenTheOneShotFiresOnceAndTheRepeatingOneUntilInvalidated) {
  qt::QtRunLoop loop;
  int once = 0;
  int repeats = 0;
  const auto oneShot = loop.scheduleOnce(0.01, [&] { ++once; });
  platform::RunLoop::TimerId repeating = 0;
  repeating = loop.scheduleRepeating(0.005, [&] {
    if (++repeats == 3) loop.invalidate(repeating);  // from its own callback
  });
  EXPECT_TRUE(loop.isValid(oneShot));
  const double start = loop.now();

  ASSERT_TRUE(runEventLoopUntil([&] { return once == 1 && repeats == 3; }));
  runEventLoopUntil([] { return false; }, 50);  // nothing more may fire
  EXPECT_EQ(once, 1);
  EXPECT_EQ(repeats, 3);
  EXPECT_FALSE(loop.isValid(oneShot));
  EXPECT_FALSE(loop.isValid(repeating));
  EXPECT_GE(loop.now() - start, 0.015);
}

}  // namespace
}  // namespace balalaika::testing
