#include "app/AppDelegate.h"

namespace balalaika {

AppDelegate::AppDelegate(AppDelegateServices services) : services_(services) {}

AppDelegate::~AppDelegate() = default;

void AppDelegate::setWindow(std::unique_ptr<platform::Window> window) { window_ = std::move(window); }

}  // namespace balalaika
