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

WebAlertView::WebAlertView(val page, int id, std::string title, std::string message,
                           platform::AlertViewDelegate* delegate, std::string cancelButtonTitle,
                           std::vector<std::string> otherButtonTitles)
    : page_(std::move(page)),
      id_(id),
      title_(std::move(title)),
      message_(std::move(message)),
      cancel_(std::move(cancelButtonTitle)),
      others_(std::move(otherButtonTitles)),
      delegate_(delegate) {}

void WebAlertView::show() {
  if (visible_) return;
  visible_ = true;
  val titles = val::array();
  for (const std::string& title : buttonTitles()) titles.call<void>("push", title);
  page_.call<void>("show", id_, title_, message_, titles);
}

void WebAlertView::dismissWithClickedButtonIndex(int buttonIndex, bool /*animated*/) {
  if (!visible_) return;  // already gone: a button can be taken once only
  visible_ = false;
  page_.call<void>("hide", id_);
  if (delegate_ != nullptr) delegate_->alertViewDidDismissWithButtonIndex(*this, buttonIndex);
}

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
  if (buttonIndex < -1 || buttonIndex > static_cast<int>(current_->otherButtonTitles().size())) return;
  // The delegate may create the next alert: keep this one alive through its own dismissal.
  const std::shared_ptr<WebAlertView> alert = current_;
  alert->dismissWithClickedButtonIndex(buttonIndex, true);
}

}  // namespace balalaika::web
