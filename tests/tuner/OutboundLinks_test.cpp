#include "tuner/OutboundLinks.h"

#include <gtest/gtest.h>

#include <regex>
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

TEST(OutboundLinks, AddressesAreWellFormedAndDistinct) {
  // The maker's site is a root over plain http; every other link is a nine-digit store id.
  const std::regex site("http://[a-z0-9-]+(\\.[a-z0-9-]+)+/");
  const std::regex store("https://apps\\.apple\\.com/app/id[0-9]{9}");
  std::set<std::string> addresses;
  std::set<std::string> labels;
  for (const links::OutboundLink& link : links::outboundLinks()) {
    const bool isMaker = link.action == links::LinkAction::RedirectToMakerSite;
    EXPECT_TRUE(std::regex_match(link.address, isMaker ? site : store)) << link.address;
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
