// The reachability probe, against a loopback server.

#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <thread>

#include "QtTestChild.h"
#include "platform/qt/QtHttpProbe.h"

namespace balalaika::testing {
namespace {

TEST(QtHttpProbe, GivenALoopbackServer_WhenABackgroundThreadStartsTheProbe_ThenAnUncachedRequestArrives) {
  BT_SKIP_UNDER_THREAD_SANITIZER();
  // A server that records the head of the first request and never answers.
  QByteArray received;
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  QObject::connect(&server, &QTcpServer::newConnection, [&] {
    QTcpSocket* socket = server.nextPendingConnection();
    QObject::connect(socket, &QTcpSocket::readyRead, [&received, socket] { received += socket->readAll(); });
  });
  qputenv(qt::kProbeUrlVariable, QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort()).toUtf8());
  qt::QtHttpProbe probe;

  bool created = false;
  std::thread background([&] {
    created = probe.start({"http://www.google.com/", platform::ProbeCachePolicy::AlwaysNetwork, 20.0});
  });
  background.join();
  EXPECT_TRUE(created);
  EXPECT_TRUE(received.isEmpty());  // sent from the main thread's event loop, not by start()

  const bool arrived = processEventsUntil([&] { return received.contains("\r\n\r\n"); });
  qunsetenv(qt::kProbeUrlVariable);
  ASSERT_TRUE(arrived);
  const QString head = QString::fromLatin1(received);
  EXPECT_TRUE(head.startsWith(QStringLiteral("GET / HTTP/1.1\r\n"))) << head.toStdString();
  EXPECT_TRUE(head.contains(QStringLiteral("Cache-Control: no-cache"), Qt::CaseInsensitive)) << head.toStdString();
}

}  // namespace
}  // namespace balalaika::testing

