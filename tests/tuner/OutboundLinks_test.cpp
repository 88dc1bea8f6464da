#include "tuner/OutboundLinks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "support/ScreenHarness.h"

namespace balalaika {
namespace {

using Action = void (ViewController::*)();

struct ActionCase {
  const char* name;
  Action action;
};

const ActionCase kActions[] = {
    {"redirectToMakerSite", &ViewController::redirectToMakerSite},
    {"reviewThisApp", &ViewController::reviewThisApp},
    {"reviewSiblingApp", &ViewController::reviewSiblingApp},
    {"purchaseSiblingApp1", &ViewController::purchaseSiblingApp1},
    {"purchaseSiblingApp2", &ViewController::purchaseSiblingApp2},
    {"purchaseSiblingApp3", &ViewController::purchaseSiblingApp3},
    {"purchaseSiblingApp4", &ViewController::purchaseSiblingApp4},
    {"purchaseSiblingApp5", &ViewController::purchaseSiblingApp5},
    {"purchaseSiblingApp6", &ViewController::purchaseSiblingApp6},
    {"purchaseSiblingApp7", &ViewController::purchaseSiblingApp7},
    {"purchaseSiblingApp8", &ViewController::purchaseSiblingApp8},
    {"purchaseSiblingApp9", &ViewController::purchaseSiblingApp9},
    {"purchaseSiblingApp10", &ViewController::purchaseSiblingApp10},
    {"purchaseSiblingApp11", &ViewController::purchaseSiblingApp11},
};

TEST(OutboundLinks, EachActionOpensExactlyTheAddressListedUnderItsName) {
  testing::ScreenHarness screen;
  const auto& links = links::outboundLinks();
  ASSERT_EQ(links.size(), std::size(kActions));
  for (std::size_t i = 0; i < links.size(); ++i) {
    SCOPED_TRACE(kActions[i].name);
    EXPECT_EQ(links[i].actionName, kActions[i].name);
    EXPECT_EQ(static_cast<std::size_t>(links[i].action), i);
    screen.urlOpener.opened.clear();
    (screen.controller.*kActions[i].action)();
    EXPECT_EQ(screen.urlOpener.opened, std::vector<std::string>{links[i].address});
  }
}

// "http://<host with a dot>/": the site's root over plain http.
bool isPlainHttpRoot(const std::string& address) {
  const std::string scheme = "http://";
  if (address.rfind(scheme, 0) != 0 || address.size() < scheme.size() + 2 || address.back() != '/') return false;
  const std::string host = address.substr(scheme.size(), address.size() - scheme.size() - 1);
  const bool hostChars = std::all_of(host.begin(), host.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
  });
  return hostChars && host.find('.') != std::string::npos && host.front() != '.' && host.back() != '.';
}

// "https://apps.apple.com/app/id" and nine digits.
bool isStorePage(const std::string& address) {
  const std::string prefix = "https://apps.apple.com/app/id";
  if (address.rfind(prefix, 0) != 0) return false;
  const std::string id = address.substr(prefix.size());
  return id.size() == 9 && std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; });
}

TEST(OutboundLinks, AddressesAreWellFormedAndDistinct) {
  std::set<std::string> addresses;
  std::set<std::string> labels;
  for (const links::OutboundLink& link : links::outboundLinks()) {
    const bool isMaker = link.action == links::LinkAction::RedirectToMakerSite;
    EXPECT_TRUE(isMaker ? isPlainHttpRoot(link.address) : isStorePage(link.address)) << link.address;
    EXPECT_FALSE(link.label.empty());
    addresses.insert(link.address);
    labels.insert(link.label);
  }
  EXPECT_EQ(addresses.size(), 14u);
  EXPECT_EQ(labels.size(), 14u);
  EXPECT_EQ(links::outboundLink(links::LinkAction::ReviewThisApp).address, "https://apps.apple.com/app/id555123987");
}

TEST(OutboundLinks, AnAddressThePlatformCannotOpenChangesNothingOnScreen) {
  testing::ScreenHarness screen;
  screen.urlOpener.answer = false;
  screen.controller.reviewThisApp();
  EXPECT_EQ(screen.urlOpener.opened.size(), 1u);
  EXPECT_TRUE(screen.log.calls.empty());
}

}  // namespace
}  // namespace balalaika
