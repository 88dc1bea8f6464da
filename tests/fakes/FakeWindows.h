#pragma once
// A desktop without windows or a store product page: the rating prompt opens the store by address.

#include <memory>
#include <vector>

#include "platform/StoreProductView.h"
#include "platform/WindowList.h"

namespace balalaika::fakes {

class FakeWindowList : public platform::WindowList {
 public:
  std::shared_ptr<platform::HierarchyWindow> keyWindow() const override { return nullptr; }
  std::vector<std::shared_ptr<platform::HierarchyWindow>> windows() const override { return {}; }
};

class FakeStoreProductViewFactory : public platform::StoreProductViewFactory {
 public:
  bool isAvailable() const override { return false; }
  std::shared_ptr<platform::StoreProductViewController> create() override { return nullptr; }
};

}  // namespace balalaika::fakes
