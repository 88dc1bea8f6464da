#pragma once
// The platform services the rating prompt uses, handed over once at start-up.

#include "platform/AlertView.h"
#include "platform/Application.h"
#include "platform/Bundle.h"
#include "platform/Clock.h"
#include "platform/Device.h"
#include "platform/Dispatch.h"
#include "platform/HttpProbe.h"
#include "platform/Reachability.h"
#include "platform/StoreProductView.h"
#include "platform/UrlOpener.h"
#include "platform/UserDefaults.h"
#include "platform/WindowList.h"

namespace balalaika {

// Every referenced object must outlive all use of the rating prompt (in the application: the
// whole process).
struct RatingPromptPlatform {
  platform::UserDefaults& defaults;
  // The application's main bundle: version, name, and texts when no separate resource bundle exists.
  const platform::Bundle& mainBundle;
  // The "RatingPrompt.bundle" resource inside the main bundle, or none when the application has none.
  const platform::Bundle* resourceBundle;
  const platform::Clock& clock;
  const platform::Device& device;
  const platform::Reachability& reachability;
  platform::HttpProbe& probe;
  platform::AlertViewFactory& alerts;
  platform::UrlOpener& urlOpener;
  platform::Dispatch& dispatch;
  platform::Application& application;
  platform::StoreProductViewFactory& storeProductViews;
  const platform::WindowList& windows;
};

}  // namespace balalaika
