#pragma once
// The store's product page shown inside the application. Main thread only.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/WindowList.h"

namespace balalaika::platform {

// Parameter key whose value is the store's numeric item identifier of the product.
inline constexpr const char* kStoreProductParameterITunesItemIdentifier = "id";

class StoreProductViewController;

class StoreProductViewDelegate {
 public:
  virtual ~StoreProductViewDelegate() = default;
  // The user has closed the product page.
  virtual void productViewControllerDidFinish(StoreProductViewController& controller) = 0;
};

class StoreProductViewController : public ViewController {
 public:
  using Parameters = std::map<std::string, std::int64_t>;
  // Starts loading the product; the outcome is not reported.
  virtual void loadProductWithParameters(const Parameters& parameters) = 0;
  // The delegate must outlive the controller's presentation.
  virtual void setDelegate(StoreProductViewDelegate* delegate) = 0;
};

class StoreProductViewFactory {
 public:
  virtual ~StoreProductViewFactory() = default;
  // Whether the platform offers the in-application product page at all.
  virtual bool isAvailable() const = 0;
  // A new controller; none when the product page is unavailable.
  virtual std::shared_ptr<StoreProductViewController> create() = 0;
};

}  // namespace balalaika::platform
