// The rating step: the store application's address for each system version.

#include "RatingPromptFixture.h"

namespace balalaika::testing {
namespace {

using namespace rating;

class RatingStore : public RatingPromptTest {
 protected:
  RatingStore() { applyApplicationSettings(); }
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
}

}  // namespace
}  // namespace balalaika::testing
