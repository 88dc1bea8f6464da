// The rating step: the store product view inside the application or the store application by
// URL, and finding the controller that presents the product view.

#include "rating/RatingPrompt.h"
#include "rating/RatingPromptConstants.h"
#include "rating/RatingPromptServices.h"
#include "rating/StoreUrl.h"
#include "rating/SystemVersion.h"
#include "rating/TextFormat.h"

namespace balalaika {

using namespace rating;

void RatingPrompt::rateApp() {
  const auto& platform = services();
  // Recorded before anything is opened, whatever follows.
  platform.defaults.setBool(kRatedCurrentVersionKey, true);
  platform.defaults.synchronize();

  RatingPrompt& self = sharedInstance();
  if (!self.openInAppStore() && platform.storeProductViews.isAvailable()) {
    self.rateInApp();
    return;
  }
  const double version = systemVersionNumber(platform.device.systemVersion());
  platform.urlOpener.openURL(storeUrlForSystemVersion(version, appId().value_or(std::string())));
}

void RatingPrompt::rateInApp() {
  const auto& platform = services();
  auto controller = platform.storeProductViews.create();
  if (!controller) return;
  controller->loadProductWithParameters(
      {{platform::kStoreProductParameterITunesItemIdentifier, leadingInteger(appId().value_or(std::string()))}});
  controller->setDelegate(this);
  if (const auto delegate = delegate_.lock()) delegate->ratingPromptWillPresentModalView(*this, usesAnimation());

  const auto presenter = getRootViewController();
  if (!presenter) return;  // nothing to present on: the product view is not shown
  presenter->presentViewController(controller, usesAnimation(), [] {
    platform::Application& application = services().application;
    setModalOpen(true);
    setStatusBarStyle(application.statusBarStyle());
    application.setStatusBarStyle(platform::kStatusBarStyleLightContent, usesAnimation());
  });
}

void RatingPrompt::productViewControllerDidFinish(platform::StoreProductViewController& /*controller*/) {
  closeModal();
}

void RatingPrompt::closeModal() {
  if (!modalOpen()) return;
  const auto& platform = services();
  platform.application.setStatusBarStyle(statusBarStyle(), usesAnimation());
  const bool animated = usesAnimation();
  setModalOpen(false);

  const auto keyWindow = platform.windows.keyWindow();
  const auto root = keyWindow ? keyWindow->rootViewController() : nullptr;
  if (root) {
    topMostViewController(root)->dismissViewControllerAnimated(animated, [animated] {
      if (const auto delegate = sharedInstance().delegate().lock()) {
        delegate->ratingPromptDidDismissModalView(RatingPromptClass{}, animated);
      }
    });
  }
  setStatusBarStyle(platform::kStatusBarStyleDefault);
}

std::shared_ptr<platform::ViewController> RatingPrompt::getRootViewController() {
  const platform::WindowList& windows = services().windows;
  std::shared_ptr<platform::HierarchyWindow> window = windows.keyWindow();
  // An alert or overlay window is passed over for the first window at the normal level.
  if (window && window->windowLevel() != platform::kWindowLevelNormal) {
    window = nullptr;
    for (const auto& candidate : windows.windows()) {
      if (candidate && candidate->windowLevel() == platform::kWindowLevelNormal) {
        window = candidate;
        break;
      }
    }
  }
  if (!window) return nullptr;
  return iterateSubViewsForViewController(*window);
}

std::shared_ptr<platform::ViewController> RatingPrompt::iterateSubViewsForViewController(
    const platform::HierarchyView& view) {
  for (const auto& subview : view.subviews()) {
    if (!subview) continue;
    if (auto controller = subview->nextResponderViewController()) return topMostViewController(controller);
    if (auto found = iterateSubViewsForViewController(*subview)) return found;
  }
  return nullptr;
}

std::shared_ptr<platform::ViewController> RatingPrompt::topMostViewController(
    std::shared_ptr<platform::ViewController> controller) {
  while (controller) {
    auto presented = controller->presentedViewController();
    if (!presented) break;
    controller = std::move(presented);
  }
  return controller;
}

}  // namespace balalaika
