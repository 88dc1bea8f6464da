#include "RatingPromptFixture.h"

namespace balalaika::testing {
namespace {

using namespace rating;

class RatingStoreApplication : public RatingPromptTest {
 protected:
  RatingStoreApplication() { applyApplicationSettings(); }
};

TEST_F(RatingStoreApplication, GivenEachSystemVersion_ThenTheStoreUrlIsTheReviewAppOrWriteReviewPage) {
  const std::string review =
      "itms-apps://itunes.apple.com/WebObjects/MZStore.woa/wa/viewContentsUserReviews?type=Purple+Software&id=555123987";
  const std::string app = "itms-apps://apps.apple.com/app/id555123987";
  const std::string write = "itms-apps://apps.apple.com/app/id555123987?action=write-review";
  const std::pair<const char*, std::string> cases[] = {
      {"6.1", review}, {"7.0", app}, {"7.1", app}, {"7.1.2", app}, {"8.0", write}, {"17.0", write}, {"17.4.1", write}};
  for (const auto& [version, url] : cases) {
    device.version = version;
    RatingPrompt::rateApp();
    ASSERT_FALSE(urlOpener.opened.empty());
    EXPECT_EQ(urlOpener.opened.back(), url) << "system " << version;
  }
  EXPECT_EQ(urlOpener.opened.size(), 7u);
  EXPECT_TRUE(storeViews.created.empty());  // openInAppStore: never the product view
}

TEST_F(RatingStoreApplication, GivenAnAppIdWithoutValue_ThenTheUrlCarriesAnEmptyId) {
  RatingPrompt::resetAllStateForTesting();
  install(nullptr);
  RatingPrompt::rateApp();
  ASSERT_EQ(urlOpener.opened.size(), 1u);
  EXPECT_EQ(urlOpener.opened[0], "itms-apps://apps.apple.com/app/id?action=write-review");
}

class RatingSharedInstance : public RatingPromptTest {};

TEST_F(RatingSharedInstance, GivenTheSystemVersion_ThenTheStoreApplicationIsUsedFromSevenOn) {
  for (const auto& [version, expected] : {std::pair{"6.1", false}, {"7.0", true}, {"17.0", true}, {"", false}}) {
    RatingPrompt::resetAllStateForTesting();
    install(nullptr);
    device.version = version;
    EXPECT_EQ(RatingPrompt::sharedInstance().openInAppStore(), expected) << "system " << version;
  }
  EXPECT_EQ(application.observerCount(), 4u);  // one registration per instance created
}

// The in-app path: the product view presented on the application's window.
class RatingProductView : public RatingPromptTest {
 protected:
  RatingProductView() {
    RatingPrompt::setDelegate(delegate);
    applyApplicationSettings();
    RatingPrompt::setOpenInAppStore(false);
    mainWindow = fakes::FakeWindow::withRoot(root);
    windows.key = mainWindow;
    windows.all = {mainWindow};
    application.style = 3;
  }

  std::shared_ptr<fakes::FakeStoreProductViewController> productView() const {
    if (storeViews.created.empty()) throw std::logic_error("no product view was created");
    return storeViews.created.back();
  }

  std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
  std::shared_ptr<fakes::FakeViewController> root = std::make_shared<fakes::FakeViewController>();
  std::shared_ptr<fakes::FakeWindow> mainWindow;
};

TEST_F(RatingProductView, GivenTheProductViewIsAvailable_WhenRating_ThenItIsLoadedAndPresentedOnTheTopController) {
  auto presentedByRoot = std::make_shared<fakes::FakeViewController>();
  root->presentViewController(presentedByRoot, false, nullptr);

  RatingPrompt::rateApp();

  EXPECT_TRUE(urlOpener.opened.empty());
  EXPECT_EQ(defaults.boolForKey(kRatedCurrentVersionKey), true);
  const auto view = productView();
  EXPECT_EQ(view->loads, (std::vector<platform::StoreProductViewController::Parameters>{
                             {{platform::kStoreProductParameterITunesItemIdentifier, 555123987}}}));
  EXPECT_EQ(view->delegate, &RatingPrompt::sharedInstance());
  EXPECT_EQ(presentedByRoot->presented, view);
  EXPECT_EQ(presentedByRoot->presentCalls, std::vector<bool>{true});
  EXPECT_EQ(delegate->calls, std::vector<std::string>{"willPresent(animated)"});
  EXPECT_TRUE(RatingPrompt::modalOpen());
  EXPECT_EQ(RatingPrompt::statusBarStyle(), 3);
  EXPECT_EQ(application.styleCalls, (std::vector<std::pair<int, bool>>{{platform::kStatusBarStyleLightContent, true}}));
}

TEST_F(RatingProductView, GivenThePresentationHasNotCompleted_ThenTheModalIsNotYetOpen) {
  root->completeImmediately = false;
  RatingPrompt::setUsesAnimation(false);
  RatingPrompt::rateApp();
  EXPECT_FALSE(RatingPrompt::modalOpen());
  EXPECT_TRUE(application.styleCalls.empty());
  root->runPendingCompletions();
  EXPECT_TRUE(RatingPrompt::modalOpen());
  EXPECT_EQ(application.styleCalls, (std::vector<std::pair<int, bool>>{{platform::kStatusBarStyleLightContent, false}}));
}

TEST_F(RatingProductView, GivenAnAppIdThatIsNoNumber_ThenTheItemIdentifierIsZero) {
  RatingPrompt::setAppId("not a number");
  RatingPrompt::rateApp();
  EXPECT_EQ(productView()->loads.at(0).at(platform::kStoreProductParameterITunesItemIdentifier), 0);
}

TEST_F(RatingProductView, GivenTheProductViewIsUnavailable_ThenTheStoreApplicationOpens) {
  storeViews.available = false;
  RatingPrompt::rateApp();
  EXPECT_EQ(urlOpener.opened.size(), 1u);
  EXPECT_TRUE(delegate->calls.empty());
}

TEST_F(RatingProductView, GivenTheOpenProductView_WhenTheUserClosesIt_ThenTheStatusBarIsRestoredAndItIsDismissed) {
  RatingPrompt::rateApp();
  const auto view = productView();
  view->completeImmediately = false;
  application.styleCalls.clear();

  view->finishByUser();
  RatingPrompt::setUsesAnimation(false);  // changed while the dismissal runs: the callback keeps the old flag
  view->runPendingCompletions();

  EXPECT_EQ(application.styleCalls, (std::vector<std::pair<int, bool>>{{3, true}}));
  EXPECT_EQ(view->dismissCalls, std::vector<bool>{true});
  EXPECT_EQ(root->presented, nullptr);
  EXPECT_FALSE(RatingPrompt::modalOpen());
  EXPECT_EQ(RatingPrompt::statusBarStyle(), 0);
  EXPECT_EQ(delegate->calls, (std::vector<std::string>{"willPresent(animated)", "didDismiss(animated)"}));
}

TEST_F(RatingProductView, GivenNoOpenProductView_WhenClosing_ThenNothingHappensNotEvenToTheStatusBar) {
  RatingPrompt::setStatusBarStyle(2);
  RatingPrompt::closeModal();
  EXPECT_TRUE(application.styleCalls.empty());
  EXPECT_EQ(RatingPrompt::statusBarStyle(), 2);
  EXPECT_TRUE(root->dismissCalls.empty());
}

TEST_F(RatingProductView, GivenARaisedKeyWindow_ThenTheFirstNormalWindowPresents) {
  auto overlayRoot = std::make_shared<fakes::FakeViewController>();
  auto overlay = fakes::FakeWindow::withRoot(overlayRoot, 2000.0);
  auto otherRoot = std::make_shared<fakes::FakeViewController>();
  windows.key = overlay;
  windows.all = {overlay, mainWindow, fakes::FakeWindow::withRoot(otherRoot)};

  RatingPrompt::rateApp();

  EXPECT_EQ(root->presented, productView());
  EXPECT_EQ(overlayRoot->presented, nullptr);
  EXPECT_EQ(otherRoot->presented, nullptr);
}

TEST_F(RatingProductView, GivenOnlyRaisedWindows_ThenNoProductViewIsPresentedAndTheModalStaysClosed) {
  auto overlayRoot = std::make_shared<fakes::FakeViewController>();
  auto overlay = fakes::FakeWindow::withRoot(overlayRoot, 1.0);
  windows.key = overlay;
  windows.all = {overlay};

  RatingPrompt::rateApp();

  EXPECT_EQ(overlayRoot->presented, nullptr);
  EXPECT_FALSE(RatingPrompt::modalOpen());
  EXPECT_TRUE(application.styleCalls.empty());
  EXPECT_EQ(defaults.boolForKey(kRatedCurrentVersionKey), true);
}

TEST_F(RatingProductView, GivenNestedViews_ThenTheSearchIsDepthFirstInSubviewOrder) {
  // window: [plain [plain [owned by deep]], owned by shallow]
  auto deep = std::make_shared<fakes::FakeViewController>();
  auto shallow = std::make_shared<fakes::FakeViewController>();
  auto deepView = std::make_shared<fakes::FakeView>();
  deepView->owner = deep;
  auto middle = std::make_shared<fakes::FakeView>();
  middle->children = {deepView};
  auto outer = std::make_shared<fakes::FakeView>();
  outer->children = {middle};
  auto shallowView = std::make_shared<fakes::FakeView>();
  shallowView->owner = shallow;
  fakes::FakeWindow window;
  window.children = {outer, shallowView};

  EXPECT_EQ(RatingPrompt::iterateSubViewsForViewController(window), deep);
  window.children = {std::make_shared<fakes::FakeView>()};
  EXPECT_EQ(RatingPrompt::iterateSubViewsForViewController(window), nullptr);
}

}  // namespace
}  // namespace balalaika::testing
