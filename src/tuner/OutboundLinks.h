#pragma once
// The fixed addresses the screen's link controls open: the maker's web site, this
// application's store page and the store pages of twelve sibling applications. The screen
// (QML) can list them; each ViewController link action opens its own entry.

#include <string>
#include <vector>

namespace balalaika::links {

enum class LinkAction {
  RedirectToMakerSite,
  ReviewThisApp,
  ReviewSiblingApp,
  PurchaseSiblingApp1,
  PurchaseSiblingApp2,
  PurchaseSiblingApp3,
  PurchaseSiblingApp4,
  PurchaseSiblingApp5,
  PurchaseSiblingApp6,
  PurchaseSiblingApp7,
  PurchaseSiblingApp8,
  PurchaseSiblingApp9,
  PurchaseSiblingApp10,
  PurchaseSiblingApp11,
};
inline constexpr int kLinkCount = 14;

struct OutboundLink {
  LinkAction action;
  std::string actionName;  // the ViewController action that opens it ("reviewThisApp")
  std::string address;     // "http://..." for the maker's site, "https://<store host>/app/id<9 digits>" else
  std::string label;       // human-readable name of the destination
};

// All fourteen, in the order of LinkAction. Built once; safe to read from any thread.
const std::vector<OutboundLink>& outboundLinks();
const OutboundLink& outboundLink(LinkAction action);

}  // namespace balalaika::links
