#pragma once
// What the rating prompt needs from a page: the network's state as the browser reports it, the
// probe sent with fetch, the alert as a dialog of the page, the page going out of sight as the
// application resigning active, and no in-page store view (the store opens in a new tab).
//
// The page hands over its side (web/src/rating.ts): network.online() and
// network.probe(url, seconds, reload); alerts.show(id, title, message, buttonTitles) and
// alerts.hide(id), a tap on a button coming back through WebAlertViewFactory::choose.

#include <emscripten/val.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/AlertView.h"
#include "platform/Application.h"
#include "platform/HttpProbe.h"
#include "platform/Reachability.h"
#include "platform/StoreProductView.h"
#include "platform/StoredAlertView.h"
#include "platform/WindowList.h"

namespace balalaika::web {

// Reachable while navigator.onLine says so; no flags otherwise. A browser answers only about the
// network in general, which is what the zero address asks.
class WebReachability final : public platform::Reachability {
 public:
  explicit WebReachability(emscripten::val network) : network_(std::move(network)) {}
  std::optional<std::uint32_t> flagsForAddress(const platform::SocketAddressV4& address) const override;

 private:
  emscripten::val network_;
};

// The probe goes to configuredUrl when the page was built with one (tests point it at loopback),
// otherwise to the request's own address.
class WebHttpProbe final : public platform::HttpProbe {
 public:
  WebHttpProbe(emscripten::val network, std::string configuredUrl)
      : network_(std::move(network)), configuredUrl_(std::move(configuredUrl)) {}
  // False when the address is not http or https; nothing is sent then.
  bool start(const platform::ProbeRequest& request) override;

 private:
  emscripten::val network_;
  std::string configuredUrl_;
};

class WebAlertView final : public platform::StoredAlertView {
 public:
  WebAlertView(emscripten::val page, int id, std::string title, std::string message,
               platform::AlertViewDelegate* delegate, std::string cancelButtonTitle,
               std::vector<std::string> otherButtonTitles)
      : StoredAlertView(std::move(title), std::move(message), delegate, std::move(cancelButtonTitle),
                        std::move(otherButtonTitles)),
        page_(std::move(page)),
        id_(id) {}

  int id() const { return id_; }

 private:
  void didShow() override;
  void didHide(int buttonIndex, bool animated) override;

  emscripten::val page_;
  int id_;
};

class WebAlertViewFactory final : public platform::AlertViewFactory {
 public:
  explicit WebAlertViewFactory(emscripten::val page) : page_(std::move(page)) {}
  std::shared_ptr<platform::AlertView> create(const std::string& title, const std::string& message,
                                              platform::AlertViewDelegate* delegate,
                                              const std::string& cancelButtonTitle,
                                              const std::vector<std::string>& otherButtonTitles) override;
  // The page's dialog id was closed by button buttonIndex (-1: closed without a button, which
  // records nothing). A stale id, an unknown button or an alert already gone changes nothing.
  void choose(int id, int buttonIndex);

 private:
  emscripten::val page_;
  int nextId_ = 1;
  std::shared_ptr<WebAlertView> current_;
};

// The page going out of sight (another tab, another app, the screen locked) is the application
// resigning active: the page calls resignActive() then.
class WebApplication final : public platform::Application {
 public:
  void addWillResignActiveObserver(Observer observer) override { observers_.push_back(std::move(observer)); }
  void resignActive() {
    for (const Observer& observer : observers_) observer();
  }
  // A page has no status bar or idle timer of its own: what is set is only kept.
  int statusBarStyle() const override { return statusBarStyle_; }
  void setStatusBarStyle(int style, bool /*animated*/) override { statusBarStyle_ = style; }
  void setStatusBarHidden(bool /*hidden*/, int /*animation*/) override {}
  void setIdleTimerDisabled(bool /*disabled*/) override {}

 private:
  std::vector<Observer> observers_;
  int statusBarStyle_ = platform::kStatusBarStyleDefault;
};

class WebStoreProductViewFactory final : public platform::StoreProductViewFactory {
 public:
  bool isAvailable() const override { return false; }
  std::shared_ptr<platform::StoreProductViewController> create() override { return nullptr; }
};

// No view-controller chain to present on: the store never opens inside the page.
class WebWindowList final : public platform::WindowList {
 public:
  std::shared_ptr<platform::HierarchyWindow> keyWindow() const override { return nullptr; }
  std::vector<std::shared_ptr<platform::HierarchyWindow>> windows() const override { return {}; }
};

}  // namespace balalaika::web
