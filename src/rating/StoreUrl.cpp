#include "rating/StoreUrl.h"

#include "rating/RatingPromptConstants.h"

namespace balalaika::rating {
namespace {

std::string reviewPageTemplate() {
  return std::string(kStoreScheme) + "://" + std::string(kStoreWebObjectsHost) + std::string(kReviewPagePathAndQuery);
}

std::string appPageTemplate() {
  return std::string(kStoreScheme) + "://" + std::string(kStoreMainHost) + std::string(kAppPagePath);
}

std::string writeReviewTemplate() { return appPageTemplate() + std::string(kWriteReviewQuery); }

}  // namespace

std::string replaceAll(std::string_view text, std::string_view placeholder, std::string_view value) {
  std::string out;
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = text.find(placeholder, from);
    if (at == std::string_view::npos || placeholder.empty()) break;
    out.append(text.substr(from, at - from));
    out.append(value);
    from = at + placeholder.size();
  }
  out.append(text.substr(from));
  return out;
}

std::string storeUrlForSystemVersion(double systemVersion, std::string_view appId) {
  std::string url = replaceAll(reviewPageTemplate(), kAppIdPlaceholder, appId);
  if (systemVersion >= kAppPageSinceVersion && systemVersion < kWriteReviewSinceVersion) {
    url = replaceAll(appPageTemplate(), kAppIdPlaceholder, appId);
  } else if (systemVersion >= kWriteReviewSinceVersion) {
    url = replaceAll(writeReviewTemplate(), kAppIdPlaceholder, appId);
  }
  return url;
}

}  // namespace balalaika::rating
