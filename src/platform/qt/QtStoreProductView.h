#pragma once
// The store's in-application product page does not exist on the desktop: the rating step always
// opens the store address instead.

#include "platform/StoreProductView.h"

namespace balalaika::qt {

class QtStoreProductViewFactory final : public platform::StoreProductViewFactory {
 public:
  bool isAvailable() const override { return false; }
  std::shared_ptr<platform::StoreProductViewController> create() override { return nullptr; }
};

}  // namespace balalaika::qt
