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
