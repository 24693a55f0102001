// The window as a whole: showing and hiding it, its size and place in twips, centring, and the
// modal boxes and dialogs over it.

#include <algorithm>

#include "toolkit/form.h"

namespace quorvane::ui {

namespace {

MessageBoxHook& MessageHook() {
  static MessageBoxHook hook;
  return hook;
}

ScreenSizeHook& ScreenHook() {
  static ScreenSizeHook hook;
  return hook;
}

StopPollClock& StopClock() {
  static StopPollClock clock;
  return clock;
}

}  // namespace

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
  MessageBoxHook previous = std::move(MessageHook());
  MessageHook() = std::move(hook);
  return previous;
}

ScreenSizeHook SetScreenSizeHook(ScreenSizeHook hook) {
  ScreenSizeHook previous = std::move(ScreenHook());
  ScreenHook() = std::move(hook);
  return previous;
}

StopPollClock SetStopPollClock(StopPollClock clock) {
  StopPollClock previous = std::move(StopClock());
  StopClock() = std::move(clock);
  return previous;
}

bool Form::pollStopRequest() {
  const auto now = StopClock() ? StopClock()() : std::chrono::steady_clock::now();
  if (lastStopPoll_ && now - *lastStopPoll_ < kStopPollInterval) return false;
  lastStopPoll_ = now;
  return peer_->pollStopRequest();
}

void Form::placeBeforeFirstShow() {
  if (shownOnce_) return;
  shownOnce_ = true;
  peer_->realize();
  if (description_.startCentred) centreOnScreen();
}

void Form::show() {
  placeBeforeFirstShow();
  peer_->show();
}

void Form::showNow() {
  placeBeforeFirstShow();
  peer_->showNow();
}

void Form::showCentredOver(const Form& other) {
  if (!shownOnce_) {
    shownOnce_ = true;
    peer_->realize();
    centreOver(other);
  }
  peer_->show();
}

void Form::hide() { peer_->hide(); }

bool Form::isShown() const { return peer_->isShown(); }

void Form::close() { peer_->close(); }

// The outer width is the client width plus the border the descriptions assume, 45 twips on each
// side, so that each width keeps its described client area whatever frame the desktop draws.
double Form::outerWidthTwips() const { return peer_->clientWidthTwips() + 2.0 * kNominalBorderTwips; }

// The height is never set; it is read with the frame the desktop really draws (the assumed one
// while the window is not decorated), so that centring places the whole window.
double Form::outerHeightTwips() const {
  const double frame = peer_->frameHeightTwips();
  return peer_->clientHeightTwips() + (frame > 0 ? frame : 2.0 * kNominalBorderTwips + kNominalCaptionTwips);
}

void Form::setOuterWidthTwips(double twips) { peer_->setClientWidthTwips(twips - 2.0 * kNominalBorderTwips); }

void Form::moveTwips(double left, double top) { peer_->moveTwips(left, top); }

double Form::leftTwips() const { return peer_->leftTwips(); }

double Form::topTwips() const { return peer_->topTwips(); }

TwipSize Form::screenSizeTwips() const {
  if (ScreenHook()) return ScreenHook()();
  return peer_->screenSizeTwips();
}

void Form::centreOnScreen() {
  const TwipSize screen = screenSizeTwips();
  const float left = (static_cast<float>(screen.width) - static_cast<float>(outerWidthTwips())) / 2.0f;
  const float top = (static_cast<float>(screen.height) - static_cast<float>(outerHeightTwips())) / 2.0f;
  moveTwips(left, top);
}

void Form::centreOver(const Form& other) {
  const TwipSize screen = screenSizeTwips();
  const double width = outerWidthTwips(), height = outerHeightTwips();
  const double left = other.leftTwips() + (other.outerWidthTwips() - width) / 2;
  const double top = other.topTwips() + (other.outerHeightTwips() - height) / 2;
  // Inside the screen where it fits, its top-left corner first.
  moveTwips(std::max(0.0, std::min(left, screen.width - width)), std::max(0.0, std::min(top, screen.height - height)));
}

template <class F>
auto Form::modal(F&& run) {
  ++modalDepth_;
  struct Leave {
    Form& form;
    ~Leave() {
      if (--form.modalDepth_ == 0 && form.pendingDiscard_) {
        // The window was closed while its modal loop ran: it goes now that the loop has ended
        // (this call still runs inside the window's code, so it goes from the event loop).
        CurrentBackend().post(std::move(form.pendingDiscard_));
        form.pendingDiscard_ = nullptr;
      }
    }
  } leave{*this};
  return run();
}

SaveResult Form::saveFile(const SaveRequest& request) {
  return modal([&] { return peer_->saveFile(request); });
}

void Form::messageBox(const std::string& text, const std::string& title) {
  const std::string shownTitle = title.empty() ? std::string(kAppTitle) : title;
  if (MessageHook()) {
    MessageHook()(shownTitle, text);
    return;
  }
  modal([&] { peer_->messageBox(shownTitle, text); });
}

void Form::discardLater(std::function<void()> destroy) {
  if (modalDepth_ > 0) {
    pendingDiscard_ = std::move(destroy);
  } else {
    CurrentBackend().post(std::move(destroy));
  }
}

void SetClipboardText(const std::string& text) { CurrentBackend().setClipboardText(text); }

}  // namespace quorvane::ui
