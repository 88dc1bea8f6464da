// The probe and the URL opener, against loopback and handlers installed by the test only.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <thread>

#include "QtTestChild.h"
#include "platform/qt/QtHttpProbe.h"
#include "platform/qt/QtReachability.h"
#include "platform/qt/QtUrlOpener.h"

namespace balalaika::testing {
namespace {

// Lets the event loop run until done() is true or the time is up.
template <typename Done>
bool processEventsUntil(Done done, int timeoutMs = 10000) {
  QDeadlineTimer deadline(timeoutMs);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// A loopback HTTP server that records the head of each request and never answers.
class LoopbackServer {
 public:
  LoopbackServer() {
    EXPECT_TRUE(server_.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::readyRead, [this, socket] {
          buffer_ += socket->readAll();
          const qsizetype end = buffer_.indexOf("\r\n\r\n");
          if (end >= 0) {
            heads_.append(QString::fromLatin1(buffer_.left(end)));
            buffer_.remove(0, end + 4);
          }
        });
      }
    });
  }
  QString url() const { return QStringLiteral("http://127.0.0.1:%1/").arg(server_.serverPort()); }
  const QStringList& heads() const { return heads_; }

 private:
  QTcpServer server_;
  QByteArray buffer_;
  QStringList heads_;
};

class ScopedProbeUrl {
 public:
  explicit ScopedProbeUrl(const QString& url) { qputenv(qt::kProbeUrlVariable, url.toUtf8()); }
  ~ScopedProbeUrl() { qunsetenv(qt::kProbeUrlVariable); }
};

platform::ProbeRequest publicProbe() {
  return {"http://www.google.com/", platform::ProbeCachePolicy::AlwaysNetwork, 20.0};
}

TEST(QtHttpProbe, GivenTheConfiguredLoopbackAddress_WhenStarted_ThenItReturnsAtOnceAndTheUncachedRequestArrives) {
  BT_SKIP_UNDER_THREAD_SANITIZER();
  LoopbackServer server;
  ScopedProbeUrl configured(server.url());
  qt::QtHttpProbe probe;

  EXPECT_TRUE(probe.start(publicProbe()));
  EXPECT_TRUE(server.heads().isEmpty());  // nothing is sent before the event loop runs

  ASSERT_TRUE(processEventsUntil([&] { return !server.heads().isEmpty(); }));
  const QString head = server.heads().first();
  EXPECT_TRUE(head.startsWith(QStringLiteral("GET / HTTP/1.1\r\n"))) << head.toStdString();
  EXPECT_TRUE(head.contains(QStringLiteral("Cache-Control: no-cache"), Qt::CaseInsensitive)) << head.toStdString();
  EXPECT_TRUE(head.contains(QStringLiteral("Host: 127.0.0.1"), Qt::CaseInsensitive)) << head.toStdString();
}

TEST(QtHttpProbe, GivenABackgroundThread_WhenItStartsTheProbe_ThenTheRequestStillGoesOutFromTheMainLoop) {
  BT_SKIP_UNDER_THREAD_SANITIZER();
  LoopbackServer server;
  ScopedProbeUrl configured(server.url());
  qt::QtHttpProbe probe;

  bool created = false;
  std::thread background([&] { created = probe.start(publicProbe()); });
  background.join();

  EXPECT_TRUE(created);
  EXPECT_TRUE(processEventsUntil([&] { return !server.heads().isEmpty(); }));
}

TEST(QtHttpProbe, GivenAnAddressThatIsNoHttpUrl_ThenNoRequestIsCreated) {
  qt::QtHttpProbe probe;
  for (const char* url : {"not a url at all", "ftp://127.0.0.1/", "http://"}) {
    ScopedProbeUrl configured(QString::fromLatin1(url));
    EXPECT_FALSE(probe.start(publicProbe())) << url;
  }
}

// Records the addresses handed to it by QDesktopServices.
class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void open(const QUrl& url) { urls.append(url); }
};

class QtUrlOpenerTest : public ::testing::Test {
 protected:
  QtUrlOpenerTest() {
    for (const char* scheme : {"http", "https", "itms-apps"}) {
      QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &recorders_[scheme], "open");
    }
  }
  ~QtUrlOpenerTest() override {
    for (const char* scheme : {"http", "https", "itms-apps"}) QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
  }
  std::map<std::string, UrlRecorder> recorders_;
};

TEST_F(QtUrlOpenerTest, GivenAStoreAddressOnTheDesktop_ThenTheSameHostPathAndQueryOpenOverHttps) {
  qt::QtUrlOpener opener;
  EXPECT_TRUE(opener.openURL("itms-apps://apps.apple.com/app/id555123987?action=write-review"));
  EXPECT_TRUE(opener.openURL(
      "itms-apps://itunes.apple.com/WebObjects/MZStore.woa/wa/viewContentsUserReviews?type=Purple+Software&id=1"));
  ASSERT_EQ(recorders_["https"].urls.size(), 2);
  EXPECT_EQ(recorders_["https"].urls[0].toString(), "https://apps.apple.com/app/id555123987?action=write-review");
  EXPECT_EQ(recorders_["https"].urls[1].toString(),
            "https://itunes.apple.com/WebObjects/MZStore.woa/wa/viewContentsUserReviews?type=Purple+Software&id=1");
  EXPECT_TRUE(recorders_["itms-apps"].urls.isEmpty());
}

TEST_F(QtUrlOpenerTest, GivenAWebAddress_ThenItOpensUnchanged_AndAMalformedOneOpensNothing) {
  qt::QtUrlOpener opener;
  EXPECT_TRUE(opener.openURL("http://example.org/a?b=c"));
  EXPECT_FALSE(opener.openURL("http://exa mple.org/"));
  EXPECT_FALSE(opener.openURL(""));
  ASSERT_EQ(recorders_["http"].urls.size(), 1);
  EXPECT_EQ(recorders_["http"].urls[0].toString(), "http://example.org/a?b=c");
  EXPECT_TRUE(recorders_["https"].urls.isEmpty());
}

TEST(QtReachability, GivenEachReportedState_ThenOnlyOnlineIsReachableAndUnknownIsUnreadable) {
  using R = QNetworkInformation::Reachability;
  EXPECT_EQ(qt::QtReachability::flagsFor(R::Online), platform::kReachabilityReachable);
  EXPECT_EQ(qt::QtReachability::flagsFor(R::Site), 0u);
  EXPECT_EQ(qt::QtReachability::flagsFor(R::Local), 0u);
  EXPECT_EQ(qt::QtReachability::flagsFor(R::Disconnected), 0u);
  EXPECT_EQ(qt::QtReachability::flagsFor(R::Unknown), std::nullopt);
}

TEST(QtReachability, GivenWhateverBackendThisMachineOffers_ThenTheFlagsAreReadableExactlyWhenABackendKnowsTheState) {
  BT_SKIP_UNDER_THREAD_SANITIZER();
  qt::QtReachability reachability;
  const auto flags = reachability.flagsForAddress(platform::SocketAddressV4{});
  if (!reachability.hasBackend()) {
    EXPECT_EQ(flags, std::nullopt);
  } else {
    EXPECT_EQ(flags, qt::QtReachability::flagsFor(QNetworkInformation::instance()->reachability()));
  }
}

}  // namespace
}  // namespace balalaika::testing

#include "QtNetwork_test.moc"
