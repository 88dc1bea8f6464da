#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>

#include "TunerRig.h"
#include "platform/qt/QtDevice.h"
#include "platform/qt/QtImages.h"
#include "platform/qt/QtStoryboards.h"
#include "platform/qt/QtViews.h"
#include "fakes/FakeBundle.h"
#include "fakes/FakeDevice.h"

namespace balalaika::qt {
namespace {

TEST(QtViews, GivenTheSameValueSetAgainThenNoChangeIsSignalled) {
  rig::ensureGuiApplication();
  QtLabel label;
  QSignalSpy text(&label, &QtLabel::textChanged);
  QSignalSpy labelHidden(&label, &QtLabel::hiddenChanged);
  for (int tick = 0; tick < 3; ++tick) label.setText("440.0Hz");
  label.setText("Ya se abrió antes");
  label.setHidden(false);
  label.setHidden(true);
  label.setHidden(true);
  EXPECT_EQ(text.count(), 2);
  EXPECT_EQ(label.text(), QStringLiteral("Ya se abrió antes")) << "texts are UTF-8";
  EXPECT_EQ(labelHidden.count(), 1);

  QtImageView view;
  QSignalSpy image(&view, &QtImageView::imageChanged);
  view.setImage(platform::Image{"green64.png"});
  view.setImage(platform::Image{"green64.png"});
  EXPECT_EQ(view.source(), QUrl(QStringLiteral("qrc:/images/green64.png")));
  view.setImage(std::nullopt);
  view.setImage(std::nullopt);
  EXPECT_EQ(image.count(), 2);
  EXPECT_TRUE(view.source().isEmpty());

  QtButton button;
  QSignalSpy title(&button, &QtButton::titleChanged);
  button.setTitle("A4");
  button.setTitle("A4");
  button.setTitle("D4");
  EXPECT_EQ(title.count(), 2);
  EXPECT_EQ(button.title(), QStringLiteral("D4"));
}

TEST(QtImages, GivenAResourceNameThenOnlyAnExactlyNamedPictureIsFound) {
  rig::ensureGuiApplication();
  QtImages images;
  EXPECT_EQ(images.imageNamed("chartipad3.png"), (platform::Image{"chartipad3.png"}));
  EXPECT_EQ(images.imageNamed("3rd_string_6plus.png"), (platform::Image{"3rd_string_6plus.png"}));
  for (const char* missing : {"", "chartipad6.png", "Green64.png", "green64", "../images/green64.png", "/green64.png"}) {
    EXPECT_EQ(images.imageNamed(missing), std::nullopt) << missing;
  }
}

TEST(QtDevice, GivenAnEmulatedDeviceThenItsIdiomAndSizeAreReported) {
  const QtDevice pad({platform::kIdiomPad, {744, 1133}});
  EXPECT_EQ(pad.userInterfaceIdiom(), platform::kIdiomPad);
  EXPECT_EQ(pad.screenWidth(), 744);
  EXPECT_EQ(pad.screenHeight(), 1133);
  EXPECT_FALSE(pad.systemVersion().empty());
  const QtDevice phone;
  EXPECT_EQ(phone.userInterfaceIdiom(), platform::kIdiomPhone);
  EXPECT_EQ(phone.screenHeight(), 844);
}

TEST(QtWindow, GivenAScreenLargerThanTheDesktopThenTheWindowIsScaledDownButKeepsItsPoints) {
  rig::ensureGuiApplication();
  QtStoryboardsOptions options;  // fits to the desktop; the offscreen desktop is 800 x 600 pixels
  const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
  QtWindow window({0, 0, 1024, 1366}, options);
  ASSERT_LT(window.scale(), 1.0);
  EXPECT_LE(window.quickWindow()->height(), desktop.height());
  EXPECT_LE(window.quickWindow()->width(), desktop.width());
  EXPECT_NEAR(window.quickWindow()->height(), 1366 * window.scale(), 1.0);
  const QQuickItem* stage = window.quickWindow()->contentItem()->childItems().value(0);
  ASSERT_NE(stage, nullptr);
  EXPECT_EQ(stage->height(), 1366) << "the layout keeps the emulated height in points";

  QtWindow small({0, 0, 320, 480}, options);
  EXPECT_EQ(small.scale(), 1.0);
  EXPECT_EQ(small.quickWindow()->height(), 480);
}

TEST(QtStoryboards, GivenANameThatIsNoLayoutThenNothingIsInstantiated) {
  rig::ensureGuiApplication();
  int controllers = 0;
  QtStoryboardsOptions options;
  options.makeViewController = [&controllers]() -> std::unique_ptr<ViewController> {
    ++controllers;
    return nullptr;
  };
  QtStoryboards storyboards(options);
  for (const char* name : {"Main_iPhone13", "", "TunerScreen", "LinksPanel", "TunerScreen.qml", "../layouts/Main_iPad", "main_ipad"}) {
    EXPECT_EQ(storyboards.instantiateInitialScreen(name), nullptr) << name;
  }
  EXPECT_EQ(controllers, 0);
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

  auto screen = storyboards.instantiateInitialScreen("Main_iPhone12Pro");
  ASSERT_NE(screen, nullptr);
  auto window = storyboards.createWindow({0, 0, 390, 844});
  auto* qtWindow = dynamic_cast<QtWindow*>(window.get());
  ASSERT_NE(qtWindow, nullptr);
  EXPECT_FALSE(qtWindow->quickWindow()->isVisible());
  window->setRootScreen(std::move(screen));
  window->makeKeyAndVisible();
  EXPECT_TRUE(qtWindow->quickWindow()->isVisible());
  EXPECT_EQ(steps, (std::vector<std::string>{"controller", "loaded with outlets", "will appear"}));
  ASSERT_NE(qtWindow->tunerScreen(), nullptr);
  EXPECT_EQ(qtWindow->tunerScreen()->rootItem()->height(), 844);
}

}  // namespace
}  // namespace balalaika::qt
