#pragma once
// The store address that the rating step opens when it leads to the store application.

#include <string>
#include <string_view>

namespace balalaika::rating {

// The review page below system version 7.0, the application page from 7.0 up to (not including)
// 8.0, the write-review page from 8.0 on; every "APP_ID" replaced by appId.
std::string storeUrlForSystemVersion(double systemVersion, std::string_view appId);

// text with every occurrence of placeholder replaced by value.
std::string replaceAll(std::string_view text, std::string_view placeholder, std::string_view value);

}  // namespace balalaika::rating
