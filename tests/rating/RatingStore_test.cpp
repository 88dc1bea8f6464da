// The rating step: the store application by URL, or the product view on the application's window.

#include "RatingPromptFixture.h"

namespace balalaika::testing {
namespace {

using namespace rating;

class RatingStore : public RatingPromptTest {
 protected:
  RatingStore() {
    RatingPrompt::setDelegate(delegate);
    applyApplicationSettings();
  }
  std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
};

TEST_F(RatingStore, GivenEachSystemVersion_ThenTheStoreUrlIsTheReviewAppOrWriteReviewPage) {
  const std::string review =
      "itms-apps://itunes.apple.com/WebObjects/MZStore.woa/wa/viewContentsUserReviews?type=Purple+Software&id=555123987";
  const std::string app = "itms-apps://apps.apple.com/app/id555123987";
  const std::string write = "itms-apps://apps.apple.com/app/id555123987?action=write-review";
  const std::pair<const char*, std::string> cases[] = {
      {"6.1", review}, {"7.0", app}, {"7.1", app}, {"7.1.2", app}, {"8.0", write}, {"17.0", write}};
  for (const auto& [version, url] : cases) {
    device.version = version;
    RatingPrompt::rateApp();
    ASSERT_FALSE(urlOpener.opened.empty());
    EXPECT_EQ(urlOpener.opened.back(), url) << "system " << version;
  }
  EXPECT_EQ(urlOpener.opened.size(), std::size(cases));
  EXPECT_TRUE(storeViews.created.empty());  // openInAppStore: never the product view
}

TEST_F(RatingStore, GivenARaisedKeyWindow_WhenRatingInTheApplication_ThenTheTopControllerOfTheFirstNormalWindowPresents) {
  RatingPrompt::setOpenInAppStore(false);
  auto overlayRoot = std::make_shared<fakes::FakeViewController>();
  auto root = std::make_shared<fakes::FakeViewController>();
  auto presentedByRoot = std::make_shared<fakes::FakeViewController>();
  root->presentViewController(presentedByRoot, false, nullptr);
  auto overlay = fakes::FakeWindow::withRoot(overlayRoot, 2000.0);
  windows.key = overlay;
  windows.all = {overlay, fakes::FakeWindow::withRoot(root)};
  application.style = 3;

  RatingPrompt::rateApp();

  EXPECT_TRUE(urlOpener.opened.empty());
  ASSERT_EQ(storeViews.created.size(), 1u);
  const auto view = storeViews.created[0];
  EXPECT_EQ(view->loads, (std::vector<platform::StoreProductViewController::Parameters>{
                             {{platform::kStoreProductParameterITunesItemIdentifier, 555123987}}}));
  EXPECT_EQ(presentedByRoot->presented, view);
  EXPECT_EQ(overlayRoot->presented, nullptr);
  EXPECT_TRUE(RatingPrompt::modalOpen());
  EXPECT_EQ(RatingPrompt::statusBarStyle(), 3);

  // The user closes the product page: the saved status bar comes back and the page goes.
  windows.key = windows.all[1];
  view->finishByUser();
  EXPECT_EQ(application.styleCalls,
            (std::vector<std::pair<int, bool>>{{platform::kStatusBarStyleLightContent, true}, {3, true}}));
  EXPECT_EQ(presentedByRoot->presented, nullptr);
  EXPECT_FALSE(RatingPrompt::modalOpen());
  EXPECT_EQ(delegate->calls, (std::vector<std::string>{"willPresent", "didDismiss"}));
}

}  // namespace
}  // namespace balalaika::testing
