#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScreen>

#include "TunerRig.h"
#include "fakes/FakeBundle.h"
#include "fakes/FakeDevice.h"

namespace balalaika::qt {
namespace {

TEST(QtWindow, GivenAScreenLargerThanTheDesktopThenTheWindowIsScaledDownButKeepsItsPoints) {
  rig::ensureGuiApplication();
  QtStoryboardsOptions options;  // fits to the desktop; the offscreen desktop is 800 x 600 pixels
  const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
  QtWindow window({0, 0, 1024, 1366}, options);
  ASSERT_LT(window.scale(), 1.0);
  EXPECT_LE(window.quickWindow()->height(), desktop.height());
  EXPECT_LE(window.quickWindow()->width(), desktop.width());
  const QQuickItem* stage = window.quickWindow()->contentItem()->childItems().value(0);
  ASSERT_NE(stage, nullptr);
  EXPECT_EQ(stage->height(), 1366) << "the layout keeps the emulated height in points";

  QtWindow small({0, 0, 320, 480}, options);
  EXPECT_EQ(small.scale(), 1.0);
}

TEST(QtStoryboards, GivenALayoutShownInAWindowThenTheScreenLoadsWithItsOutletsBeforeItAppears) {
  rig::ensureGuiApplication();
  fakes::FakeDevice device;
  QtImages images;
  fakes::FakeBundle bundle;
  fakes::FakeRunLoop runLoop;
  fakes::InMemoryUserDefaults defaults;
  fakes::RecordingUrlOpener opener;
  rig::ScriptedPitch pitch;
  std::vector<std::string> steps;
  QtStoryboardsOptions options;
  options.fitToDesktop = false;
  options.makeViewController = [&] {
    steps.push_back("controller");
    return std::make_unique<ViewController>(
        ViewControllerServices{device, images, bundle, runLoop, defaults, opener, pitch, [] {}});
  };
  options.screenDidLoad = [&](ViewController& controller) {
    steps.push_back(controller.outlets().tunedString5 && !controller.outlets().tunedString ? "loaded with outlets"
                                                                                          : "loaded without outlets");
  };
  options.screenWillAppear = [&](ViewController&) { steps.push_back("will appear"); };
  QtStoryboards storyboards(options);
  EXPECT_EQ(storyboards.instantiateInitialScreen("../layouts/Main_iPad"), nullptr);
  EXPECT_TRUE(steps.empty()) << "a name that is no layout makes no controller";

  auto screen = storyboards.instantiateInitialScreen("Main_iPhone12Pro");
  ASSERT_NE(screen, nullptr);
  auto window = storyboards.createWindow({0, 0, 390, 844});
  auto* qtWindow = dynamic_cast<QtWindow*>(window.get());
  ASSERT_NE(qtWindow, nullptr);
  window->setRootScreen(std::move(screen));
  EXPECT_FALSE(qtWindow->quickWindow()->isVisible());
  window->makeKeyAndVisible();
  EXPECT_TRUE(qtWindow->quickWindow()->isVisible());
  EXPECT_EQ(steps, (std::vector<std::string>{"controller", "loaded with outlets", "will appear"}));
}

}  // namespace
}  // namespace balalaika::qt
