#include "tuner/OutboundLinks.h"

#include <iterator>

namespace balalaika::links {
namespace {

constexpr const char* kMakerSite = "http://www.balalaika-tuner.com/";
constexpr const char* kStoreHost = "apps.apple.com";

struct StorePage {
  LinkAction action;
  const char* actionName;
  const char* storeId;  // nine digits
  const char* label;
};

// This application first, then its siblings. The maker's site and the sibling identifiers are
// placeholders until the maker confirms its catalogue; only this application's identifier is fixed.
constexpr StorePage kStorePages[] = {
    {LinkAction::ReviewThisApp, "reviewThisApp", "555123987", "Balalaika Tuner"},
    {LinkAction::ReviewSiblingApp, "reviewSiblingApp", "555124101", "Domra Tuner"},
    {LinkAction::PurchaseSiblingApp1, "purchaseSiblingApp1", "555124215", "Balalaika Chords"},
    {LinkAction::PurchaseSiblingApp2, "purchaseSiblingApp2", "555124329", "Domra Chords"},
    {LinkAction::PurchaseSiblingApp3, "purchaseSiblingApp3", "555124443", "Gusli Tuner"},
    {LinkAction::PurchaseSiblingApp4, "purchaseSiblingApp4", "555124557", "Bayan Trainer"},
    {LinkAction::PurchaseSiblingApp5, "purchaseSiblingApp5", "555124671", "Mandolin Tuner"},
    {LinkAction::PurchaseSiblingApp6, "purchaseSiblingApp6", "555124785", "Ukulele Tuner"},
    {LinkAction::PurchaseSiblingApp7, "purchaseSiblingApp7", "555124899", "Bouzouki Tuner"},
    {LinkAction::PurchaseSiblingApp8, "purchaseSiblingApp8", "555125003", "Banjo Tuner"},
    {LinkAction::PurchaseSiblingApp9, "purchaseSiblingApp9", "555125117", "Violin Tuner"},
    {LinkAction::PurchaseSiblingApp10, "purchaseSiblingApp10", "555125231", "Cello Tuner"},
    {LinkAction::PurchaseSiblingApp11, "purchaseSiblingApp11", "555125345", "Folk Metronome"},
};
static_assert(std::size(kStorePages) + 1 == kLinkCount);

std::vector<OutboundLink> buildLinks() {
  std::vector<OutboundLink> links;
  links.push_back({LinkAction::RedirectToMakerSite, "redirectToMakerSite", kMakerSite, "Balalaika Tuner web site"});
  for (const StorePage& page : kStorePages) {
    links.push_back({page.action, page.actionName, std::string("https://") + kStoreHost + "/app/id" + page.storeId,
                     page.label});
  }
  return links;
}

}  // namespace

const std::vector<OutboundLink>& outboundLinks() {
  static const std::vector<OutboundLink> links = buildLinks();
  return links;
}

const OutboundLink& outboundLink(LinkAction action) { return outboundLinks()[static_cast<std::size_t>(action)]; }

}  // namespace balalaika::links
