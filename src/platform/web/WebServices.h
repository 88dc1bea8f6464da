#pragma once
// The small platform services of the page: the device as the browser reports it, the texts of
// the translation files, the pictures the page carries, and links opened in a new tab.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "platform/Bundle.h"
#include "platform/Device.h"
#include "platform/UrlOpener.h"
#include "platform/Views.h"

namespace balalaika::web {

// screen.width and screen.height in CSS pixels (points on iOS); the idiom is chosen from them.
// The system's version is the one the browser reports ("0" when it reports none).
class WebDevice final : public platform::Device {
 public:
  WebDevice(int idiom, double width, double height, std::string systemVersion)
      : idiom_(idiom), width_(width), height_(height), systemVersion_(std::move(systemVersion)) {}
  std::optional<int> userInterfaceIdiom() const override { return idiom_; }
  double screenWidth() const override { return width_; }
  double screenHeight() const override { return height_; }
  std::string systemVersion() const override { return systemVersion_; }

 private:
  int idiom_;
  double width_, height_;
  std::string systemVersion_;
};

// Texts by translation id (the .ts file's message ids, as the page read them), falling back to
// the key as the desktop's translations do.
class WebBundle final : public platform::Bundle {
 public:
  explicit WebBundle(std::map<std::string, std::string> texts) : texts_(std::move(texts)) {}
  std::string localizedString(const std::string& key, const std::string& table) const override;
  std::string version() const override { return BT_VERSION; }
  std::optional<std::string> displayName() const override { return "Balalaika Tuner"; }
  std::optional<std::string> name() const override { return "balalaika-tuner"; }

 private:
  std::map<std::string, std::string> texts_;
};

class WebImages final : public platform::Images {
 public:
  explicit WebImages(std::set<std::string> names) : names_(std::move(names)) {}
  std::optional<platform::Image> imageNamed(const std::string& name) const override {
    if (names_.count(name) == 0) return std::nullopt;
    return platform::Image{name};
  }

 private:
  std::set<std::string> names_;
};

// Opens an address in a new tab. A store address ("itms-apps:") goes over https where the
// system has no store application to take it, as on the desktop.
class WebUrlOpener final : public platform::UrlOpener {
 public:
  explicit WebUrlOpener(bool storeSchemeHandled) : storeSchemeHandled_(storeSchemeHandled) {}
  bool openURL(const std::string& url) override;
  // The address as it is opened.
  std::string effectiveUrl(const std::string& url) const;

 private:
  bool storeSchemeHandled_;
};

}  // namespace balalaika::web
