// Outbound links: each action opens its fixed address; whether the platform could open it
// is not examined.

#include "tuner/OutboundLinks.h"
#include "tuner/ViewController.h"

namespace balalaika {
namespace {
void open(platform::UrlOpener& opener, links::LinkAction action) {
  opener.openURL(links::outboundLink(action).address);
}
}  // namespace

using links::LinkAction;

void ViewController::redirectToMakerSite() { open(services_.urlOpener, LinkAction::RedirectToMakerSite); }
void ViewController::reviewThisApp() { open(services_.urlOpener, LinkAction::ReviewThisApp); }
void ViewController::reviewSiblingApp() { open(services_.urlOpener, LinkAction::ReviewSiblingApp); }
void ViewController::purchaseSiblingApp1() { open(services_.urlOpener, LinkAction::PurchaseSiblingApp1); }
void ViewController::purchaseSiblingApp2() { open(services_.urlOpener, LinkAction::PurchaseSiblingApp2); }
void ViewController::purchaseSiblingApp3() { open(services_.urlOpener, LinkAction::PurchaseSiblingApp3); }
void ViewController::purchaseSiblingApp4() { open(services_.urlOpener, LinkAction::PurchaseSiblingApp4); }
void ViewController::purchaseSiblingApp5() { open(services_.urlOpener, LinkAction::PurchaseSiblingApp5); }
void ViewController::purchaseSiblingApp6() { open(services_.urlOpener, LinkAction::PurchaseSiblingApp6); }
void ViewController::purchaseSiblingApp7() { open(services_.urlOpener, LinkAction::PurchaseSiblingApp7); }
void ViewController::purchaseSiblingApp8() { open(services_.urlOpener, LinkAction::PurchaseSiblingApp8); }
void ViewController::purchaseSiblingApp9() { open(services_.urlOpener, LinkAction::PurchaseSiblingApp9); }
void ViewController::purchaseSiblingApp10() { open(services_.urlOpener, LinkAction::PurchaseSiblingApp10); }
void ViewController::purchaseSiblingApp11() { open(services_.urlOpener, LinkAction::PurchaseSiblingApp11); }

ViewController::Action ViewController::actionForLink(LinkAction link) {
  switch (link) {
    case LinkAction::RedirectToMakerSite: return &ViewController::redirectToMakerSite;
    case LinkAction::ReviewThisApp: return &ViewController::reviewThisApp;
    case LinkAction::ReviewSiblingApp: return &ViewController::reviewSiblingApp;
    case LinkAction::PurchaseSiblingApp1: return &ViewController::purchaseSiblingApp1;
    case LinkAction::PurchaseSiblingApp2: return &ViewController::purchaseSiblingApp2;
    case LinkAction::PurchaseSiblingApp3: return &ViewController::purchaseSiblingApp3;
    case LinkAction::PurchaseSiblingApp4: return &ViewController::purchaseSiblingApp4;
    case LinkAction::PurchaseSiblingApp5: return &ViewController::purchaseSiblingApp5;
    case LinkAction::PurchaseSiblingApp6: return &ViewController::purchaseSiblingApp6;
    case LinkAction::PurchaseSiblingApp7: return &ViewController::purchaseSiblingApp7;
    case LinkAction::PurchaseSiblingApp8: return &ViewController::purchaseSiblingApp8;
    case LinkAction::PurchaseSiblingApp9: return &ViewController::purchaseSiblingApp9;
    case LinkAction::PurchaseSiblingApp10: return &ViewController::purchaseSiblingApp10;
    case LinkAction::PurchaseSiblingApp11: return &ViewController::purchaseSiblingApp11;
  }
  return nullptr;
}

bool ViewController::openLinkNamed(const std::string& actionName) {
  for (const auto& link : links::outboundLinks()) {
    if (link.actionName == actionName) {
      (this->*actionForLink(link.action))();
      return true;
    }
  }
  return false;
}

}  // namespace balalaika
