#include "tuner/ViewController.h"

#include "tones/ToneGenerator.h"

namespace balalaika {

ViewController::ViewController(ViewControllerServices services) : services_(std::move(services)) {}

ViewController::~ViewController() {
  // A pending review call must not reach a controller that is gone.
  if (reviewTimer_ != 0) services_.runLoop.invalidate(reviewTimer_);
}

void ViewController::setGenerator(std::unique_ptr<ToneGenerator> generator) { generator_ = std::move(generator); }

}  // namespace balalaika
