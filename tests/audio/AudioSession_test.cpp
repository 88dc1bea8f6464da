#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QMediaDevices>
#include <QProcess>
#include <vector>

#include "audio/AudioServer.h"
#include "platform/qt/QtAudioSession.h"

namespace balalaika {
namespace {

QString pactl(const QStringList& arguments) {
  QProcess p;
  p.start(QStringLiteral("pactl"), arguments);
  p.waitForFinished(5000);
  return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

TEST(DesktopAudioSession, GivenTheOutputDeviceInUseIsLostThenOneInterruptionBegins) {
  audiotest::application();
  if (const std::string reason = audiotest::serverUnreachableReason(); !reason.empty()) GTEST_SKIP() << reason;
  const QString module = pactl({QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                                QStringLiteral("sink_name=bt_spare_speaker")});
  ASSERT_FALSE(module.isEmpty());
  pactl({QStringLiteral("set-default-sink"), QStringLiteral("bt_spare_speaker")});
  qt::QtAudioSession session;
  std::vector<std::uint32_t> interruptions;
  session.initialize([&](std::uint32_t state) { interruptions.push_back(state); });
  // Qt learns of the new default device asynchronously; from then on it is the one in use.
  ASSERT_TRUE(audiotest::pumpUntil([] { return QMediaDevices::defaultAudioOutput().id() == "bt_spare_speaker"; }, 3000));
  session.checkOutputs();
  EXPECT_TRUE(interruptions.empty());

  pactl({QStringLiteral("unload-module"), module});
  pactl({QStringLiteral("set-default-sink"), QStringLiteral("vmic")});
  EXPECT_TRUE(audiotest::pumpUntil([&] { return !interruptions.empty(); }, 5000));
  EXPECT_EQ(interruptions, (std::vector<std::uint32_t>{platform::kAudioSessionBeginInterruption}));

  // The remaining device is now the one in use: losing nothing more, nothing more is reported.
  audiotest::pump(300);
  session.checkOutputs();
  EXPECT_EQ(interruptions.size(), 1u);
}

}  // namespace
}  // namespace balalaika
