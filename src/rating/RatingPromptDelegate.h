#pragma once
// Optional observer of the rating prompt. Every operation is optional: the defaults answer
// "not implemented" and do nothing. All calls arrive on the main thread.

#include <optional>

namespace balalaika {

class RatingPrompt;

// Stands for the RatingPrompt class itself where a class operation is the sender.
struct RatingPromptClass {};

class RatingPromptDelegate {
 public:
  virtual ~RatingPromptDelegate() = default;

  // Asked before an alert is built; false stops the showing, nothing (the default) lets it go on.
  virtual std::optional<bool> ratingPromptShouldDisplayAlert(RatingPrompt& prompt) {
    (void)prompt;
    return std::nullopt;
  }
  // Right after the alert has been shown.
  virtual void ratingPromptDidDisplayAlert(RatingPrompt& /*prompt*/) {}
  // After the rate button has been taken and the rating step has run.
  virtual void ratingPromptDidOptToRate(RatingPrompt& /*prompt*/) {}
  // After the rate-later button has been taken and the decline has been stored.
  virtual void ratingPromptDidDeclineToRate(RatingPrompt& /*prompt*/) {}
  // Before the store product view is presented; animated is usesAnimation.
  virtual void ratingPromptWillPresentModalView(RatingPrompt& /*prompt*/, bool /*animated*/) {}
  // When the store product view has been dismissed; animated is usesAnimation as it was when the
  // dismissal started.
  virtual void ratingPromptDidDismissModalView(RatingPromptClass /*sender*/, bool /*animated*/) {}
};

}  // namespace balalaika
