#pragma once

// A back-end without windows: each peer keeps what the neutral layer told it, and a test plays
// the user through the peer's events.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/backend.h"

namespace quorvane::test {

class FakePeer : public ui::WindowPeer {
 public:
  FakePeer(const ui::WindowDescription& d, ui::PeerEvents& e)
      : events(e), clientWidth(d.clientWidth), clientHeight(d.clientHeight) {
    for (const auto& c : d.controls)
      texts.push_back(c.caption), values.push_back(-1), shownControls.push_back(c.visible);
  }

  void setWindowCaption(const std::string&) override {}
  void setCaption(int, const std::string&) override {}
  std::string text(int c) const override { return texts[static_cast<std::size_t>(c)]; }
  void setText(int c, const std::string& t) override { texts[static_cast<std::size_t>(c)] = t; }
  void setValue(int c, int v) override { values[static_cast<std::size_t>(c)] = v; }
  void setShown(int c, bool s) override { shownControls[static_cast<std::size_t>(c)] = s; }
  void setLocked(int, bool) override {}
  void setFocus(int c) override { focus = c; }
  int focused() const override { return focus; }
  void selectAll(int c) override { selected = c; }
  void show() override { shown = true; }
  void showNow() override { shown = true; }
  void hide() override { shown = false; }
  bool isShown() const override { return shown; }
  void close() override { shown = false, events.closedByUser(); }
  void repaintNow() override {}
  void place(const std::vector<ui::ControlPlace>& p) override { places = p; }
  bool pollStopRequest() override {
    ++polls;
    if (pollsSeen) *pollsSeen = polls;
    return stopAfterPolls > 0 && polls >= stopAfterPolls;
  }
  double clientWidthTwips() const override { return clientWidth; }
  double clientHeightTwips() const override { return clientHeight; }
  void setClientWidthTwips(double twips) override { clientWidth = twips; }
  double frameHeightTwips() const override { return 0; }
  double leftTwips() const override { return left; }
  double topTwips() const override { return top; }
  void moveTwips(double l, double t) override { left = l, top = t; }
  ui::TwipSize screenSizeTwips() const override { return {15360, 11520}; }
  void messageBox(const std::string&, const std::string&) override {
    if (whileMessageShown) whileMessageShown();
  }
  void setRows(int c, const std::vector<std::vector<std::string>>& r) override { rows[c] = r; }
  bool hasSelectedText(int c) const override { return c == selection; }
  void popUpMenu(const std::vector<ui::MenuEntry>& items, double l, double t) override {
    menu = items, menuLeft = l, menuTop = t, ++menusShown;
  }
  ui::SaveResult saveFile(const ui::SaveRequest& request) override {
    saved.push_back(request);
    if (whileMessageShown) whileMessageShown();
    return saveAnswer;
  }

  ui::PeerEvents& events;
  std::vector<std::string> texts;
  std::vector<int> values;  // -1 until the layer sets it
  std::vector<bool> shownControls;
  std::vector<ui::ControlPlace> places;     // as the layer placed the controls last
  int selected = -1;                        // the text box whose text was selected last
  std::function<void()> whileMessageShown;  // runs while a message box is "open"
  double clientWidth, clientHeight, left = 0, top = 0;
  int focus = -1;
  bool shown = false;
  int polls = 0;
  int stopAfterPolls = 0;    // the user asks to stop at this poll (0: never)
  int* pollsSeen = nullptr;  // where the count of polls goes, also after the window is gone
  std::map<int, std::vector<std::vector<std::string>>> rows;  // of tables, as last set
  int selection = -1;                                         // the text box that holds a selection
  std::vector<ui::MenuEntry> menu;                            // the menu popped up last
  double menuLeft = 0, menuTop = 0;
  int menusShown = 0;
  std::vector<ui::SaveRequest> saved;                                 // every save dialog, in order
  ui::SaveResult saveAnswer{ui::SaveOutcome::Saved, "C:\\plan.csv"};  // what the user does in it
};

class FakeBackend : public ui::Backend {
 public:
  std::unique_ptr<ui::WindowPeer> createWindow(const ui::WindowDescription& d, ui::PeerEvents& events) override {
    auto peer = std::make_unique<FakePeer>(d, events);
    last = peer.get();
    if (onCreate) onCreate(*peer, d);
    return peer;
  }
  void post(std::function<void()> work) override { posted.push_back(std::move(work)); }
  int run() override {
    runPosted();
    return 0;
  }
  void quit(int) override { ++quits; }
  void setClipboardText(const std::string& text) override { clipboard = text; }
  // Runs what was posted, as the event loop would.
  void runPosted() {
    while (!posted.empty()) {
      auto work = std::move(posted.front());
      posted.pop_front();
      work();
    }
  }

  FakePeer* last = nullptr;
  std::function<void(FakePeer&, const ui::WindowDescription&)> onCreate;  // runs for every new window
  std::deque<std::function<void()>> posted;
  int quits = 0;
  std::string clipboard;
};

}  // namespace quorvane::test
