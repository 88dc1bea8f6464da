#include "tuner/OutboundLinks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "support/ScreenHarness.h"

namespace balalaika {
namespace {

using Action = void (ViewController::*)();

struct ActionCase {
  const char* name;
  Action action;
};

#define BT_ACTION(name) ActionCase{#name, &ViewController::name}
const ActionCase kActions[] = {
    BT_ACTION(redirectToMakerSite),  BT_ACTION(reviewThisApp),        BT_ACTION(reviewSiblingApp),
    BT_ACTION(purchaseSiblingApp1),  BT_ACTION(purchaseSiblingApp2),  BT_ACTION(purchaseSiblingApp3),
    BT_ACTION(purchaseSiblingApp4),  BT_ACTION(purchaseSiblingApp5),  BT_ACTION(purchaseSiblingApp6),
    BT_ACTION(purchaseSiblingApp7),  BT_ACTION(purchaseSiblingApp8),  BT_ACTION(purchaseSiblingApp9),
    BT_ACTION(purchaseSiblingApp10), BT_ACTION(purchaseSiblingApp11),
};
#undef BT_ACTION

TEST(OutboundLinks, EachActionOpensExactlyTheAddressListedUnderItsName) {
  testing::ScreenHarness screen;
  const auto& links = links::outboundLinks();
  ASSERT_EQ(links.size(), std::size(kActions));
  for (std::size_t i = 0; i < links.size(); ++i) {
    SCOPED_TRACE(kActions[i].name);
    EXPECT_EQ(links[i].actionName, kActions[i].name);
    EXPECT_EQ(static_cast<std::size_t>(links[i].action), i);
    EXPECT_EQ(ViewController::actionForLink(links[i].action), kActions[i].action) << "the screen's taps go here";
    screen.urlOpener.opened.clear();
    (screen.controller.*kActions[i].action)();
    EXPECT_EQ(screen.urlOpener.opened, std::vector<std::string>{links[i].address});
  }
}

// "http://host.domain/": the root of a site over plain http.
bool isSiteRoot(const std::string& address) {
  const std::string scheme = "http://";
  if (address.rfind(scheme, 0) != 0 || address.back() != '/') return false;
  const std::string host = address.substr(scheme.size(), address.size() - scheme.size() - 1);
  return host.find('.') != std::string::npos && host.front() != '.' && host.back() != '.' &&
         std::all_of(host.begin(), host.end(), [](char c) { return std::islower(c) || std::isdigit(c) || c == '.' || c == '-'; });
}

// "https://apps.apple.com/app/id" and nine digits.
bool isStorePage(const std::string& address) {
  const std::string prefix = "https://apps.apple.com/app/id";
  if (address.rfind(prefix, 0) != 0 || address.size() != prefix.size() + 9) return false;
  return std::all_of(address.begin() + static_cast<long>(prefix.size()), address.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

TEST(OutboundLinks, AddressesAreWellFormedAndDistinct) {
  // The maker's site is a root over plain http; every other link is a nine-digit store id.
  std::set<std::string> addresses;
  std::set<std::string> labels;
  for (const links::OutboundLink& link : links::outboundLinks()) {
    const bool isMaker = link.action == links::LinkAction::RedirectToMakerSite;
    EXPECT_TRUE(isMaker ? isSiteRoot(link.address) : isStorePage(link.address)) << link.address;
    EXPECT_FALSE(link.label.empty());
    addresses.insert(link.address);
    labels.insert(link.label);
  }
  EXPECT_EQ(addresses.size(), std::size_t{links::kLinkCount});
  EXPECT_EQ(labels.size(), std::size_t{links::kLinkCount});
  EXPECT_EQ(links::outboundLink(links::LinkAction::ReviewThisApp).address, "https://apps.apple.com/app/id555123987");
}

}  // namespace
}  // namespace balalaika
