#pragma once
// Windows, views and view controllers that the test assembles by hand. Presentations are
// recorded; their completions run at once.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/StoreProductView.h"
#include "platform/WindowList.h"

namespace balalaika::fakes {

// The link from a presented fake controller back to its presenter.
class FakeModalLink {
 public:
  virtual ~FakeModalLink() = default;
  virtual void forgetPresented() = 0;
  FakeModalLink* presenter = nullptr;
};

template <class Base>
class FakePresenting : public Base, public FakeModalLink {
 public:
  using Completion = platform::ViewController::Completion;

  std::shared_ptr<platform::ViewController> presentedViewController() const override { return presented; }

  void presentViewController(std::shared_ptr<platform::ViewController> controller, bool /*animated*/,
                             Completion completion) override {
    presented = std::move(controller);
    if (auto* link = dynamic_cast<FakeModalLink*>(presented.get())) link->presenter = this;
    if (completion) completion();
  }

  // Dismisses what this controller presents, or else this controller from its presenter.
  void dismissViewControllerAnimated(bool /*animated*/, Completion completion) override {
    if (presented) {
      forgetPresented();
    } else if (presenter) {
      presenter->forgetPresented();
    }
    if (completion) completion();
  }

  void forgetPresented() override {
    if (auto* link = dynamic_cast<FakeModalLink*>(presented.get())) link->presenter = nullptr;
    presented.reset();
  }

  std::shared_ptr<platform::ViewController> presented;
};

using FakeViewController = FakePresenting<platform::ViewController>;

class FakeView : public platform::HierarchyView {
 public:
  std::vector<std::shared_ptr<platform::HierarchyView>> subviews() const override { return children; }
  std::shared_ptr<platform::ViewController> nextResponderViewController() const override { return owner; }

  std::vector<std::shared_ptr<platform::HierarchyView>> children;
  std::shared_ptr<platform::ViewController> owner;  // set when a controller owns this view
};

class FakeWindow : public platform::HierarchyWindow {
 public:
  std::vector<std::shared_ptr<platform::HierarchyView>> subviews() const override { return children; }
  std::shared_ptr<platform::ViewController> nextResponderViewController() const override { return nullptr; }
  double windowLevel() const override { return level; }
  std::shared_ptr<platform::ViewController> rootViewController() const override { return root; }

  // A normal window whose only subview is the root controller's view.
  static std::shared_ptr<FakeWindow> withRoot(std::shared_ptr<platform::ViewController> controller,
                                              double windowLevel = platform::kWindowLevelNormal) {
    auto window = std::make_shared<FakeWindow>();
    auto view = std::make_shared<FakeView>();
    view->owner = controller;
    window->children.push_back(view);
    window->root = std::move(controller);
    window->level = windowLevel;
    return window;
  }

  std::vector<std::shared_ptr<platform::HierarchyView>> children;
  std::shared_ptr<platform::ViewController> root;
  double level = platform::kWindowLevelNormal;
};

class FakeWindowList : public platform::WindowList {
 public:
  std::shared_ptr<platform::HierarchyWindow> keyWindow() const override { return key; }
  std::vector<std::shared_ptr<platform::HierarchyWindow>> windows() const override { return all; }

  std::shared_ptr<platform::HierarchyWindow> key;
  std::vector<std::shared_ptr<platform::HierarchyWindow>> all;
};

class FakeStoreProductViewController : public FakePresenting<platform::StoreProductViewController> {
 public:
  void loadProductWithParameters(const Parameters& parameters) override { loads.push_back(parameters); }
  void setDelegate(platform::StoreProductViewDelegate* d) override { delegate = d; }

  // The user closes the product page.
  void finishByUser() {
    if (delegate) delegate->productViewControllerDidFinish(*this);
  }

  std::vector<Parameters> loads;
  platform::StoreProductViewDelegate* delegate = nullptr;
};

class FakeStoreProductViewFactory : public platform::StoreProductViewFactory {
 public:
  bool isAvailable() const override { return available; }
  std::shared_ptr<platform::StoreProductViewController> create() override {
    if (!available) return nullptr;
    auto controller = std::make_shared<FakeStoreProductViewController>();
    created.push_back(controller);
    return controller;
  }

  bool available = true;
  std::vector<std::shared_ptr<FakeStoreProductViewController>> created;
};

}  // namespace balalaika::fakes
