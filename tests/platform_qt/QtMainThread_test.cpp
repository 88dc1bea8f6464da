// The Qt services that hand work to the main thread: alert view, dispatch and the reachability probe.

#include <gtest/gtest.h>

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <atomic>
#include <thread>

#include "QtTestChild.h"
#include "platform/qt/QtAlertView.h"
#include "platform/qt/QtDispatch.h"
#include "platform/qt/QtHttpProbe.h"

namespace balalaika::testing {
namespace {

TEST(QtAlertView, GivenAnAlertReleasedOnAnotherThread_ThenItIsDeletedOnTheMainThread) {
  qt::QtAlertViewFactory factory;
  auto alert = factory.create("t", "m", nullptr, "Rate", {"Later"});
  QPointer<qt::QtAlertView> first = factory.currentAlert();
  factory.create("t2", "m", nullptr, "Rate", {"Later"});  // the factory lets go of the first

  std::thread([held = std::move(alert)]() mutable { held.reset(); }).join();
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
    std::vector<int> order;  // main thread only
    std::atomic<bool> backgroundOffMain{false}, backgroundRan{false};
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

TEST(QtHttpProbe, GivenALoopbackServer_WhenABackgroundThreadStartsTheProbe_ThenAnUncachedRequestArrives) {
  BT_SKIP_UNDER_THREAD_SANITIZER();
  QByteArray received;  // the head of the first request, never answered
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  QObject::connect(&server, &QTcpServer::newConnection, [&] {
    QTcpSocket* socket = server.nextPendingConnection();
    QObject::connect(socket, &QTcpSocket::readyRead, [&received, socket] { received += socket->readAll(); });
  });
  qputenv(qt::kProbeUrlVariable, QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort()).toUtf8());
  qt::QtHttpProbe probe;

  bool created = false;
  std::thread([&] { created = probe.start({"http://www.google.com/", platform::ProbeCachePolicy::AlwaysNetwork, 20.0}); })
      .join();
  EXPECT_TRUE(created);
  EXPECT_TRUE(received.isEmpty());  // sent from the main thread's event loop, not by start()

  const bool arrived = processEventsUntil([&] { return received.contains("\r\n\r\n"); });
  qunsetenv(qt::kProbeUrlVariable);
  ASSERT_TRUE(arrived);
  EXPECT_TRUE(received.startsWith("GET / HTTP/1.1\r\n")) << received.toStdString();
  EXPECT_TRUE(received.toLower().contains("cache-control: no-cache")) << received.toStdString();
}

}  // namespace
}  // namespace balalaika::testing
