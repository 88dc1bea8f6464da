#include "platform/web/WebRatingServices.h"

#include <utility>

namespace balalaika::web {

using emscripten::val;

std::optional<std::uint32_t> WebReachability::flagsForAddress(const platform::SocketAddressV4& /*address*/) const {
  const val online = network_.call<val>("online");
  if (!online.isTrue() && !online.isFalse()) return std::nullopt;
  return online.isTrue() ? platform::kReachabilityReachable : 0u;
}

bool WebHttpProbe::start(const platform::ProbeRequest& request) {
  const std::string& url = configuredUrl_.empty() ? request.url : configuredUrl_;
  if (url.rfind("http://", 0) != 0 && url.rfind("https://", 0) != 0) return false;
  // The page checks the address itself and answers false for one fetch cannot take.
  return network_
      .call<val>("probe", url, request.timeoutSeconds, request.cachePolicy == platform::ProbeCachePolicy::AlwaysNetwork)
      .isTrue();
}

void WebAlertView::didShow() {
  val titles = val::array();
  for (const std::string& title : buttonTitles()) titles.call<void>("push", title);
  page_.call<void>("show", id_, title(), message(), titles);
}

void WebAlertView::didHide(int /*buttonIndex*/, bool /*animated*/) { page_.call<void>("hide", id_); }

std::shared_ptr<platform::AlertView> WebAlertViewFactory::create(const std::string& title, const std::string& message,
                                                                 platform::AlertViewDelegate* delegate,
                                                                 const std::string& cancelButtonTitle,
                                                                 const std::vector<std::string>& otherButtonTitles) {
  current_ = std::make_shared<WebAlertView>(page_, nextId_++, title, message, delegate, cancelButtonTitle,
                                            otherButtonTitles);
  return current_;
}

void WebAlertViewFactory::choose(int id, int buttonIndex) {
  if (!current_ || current_->id() != id) return;
  // The delegate may create the next alert: keep this one alive through its own dismissal.
  const std::shared_ptr<WebAlertView> alert = current_;
  // Closed by the browser without a button: gone, and nothing recorded.
  if (buttonIndex == -1) {
    alert->dismissWithClickedButtonIndex(-1, true);
  } else {
    alert->choose(buttonIndex);
  }
}

}  // namespace balalaika::web
