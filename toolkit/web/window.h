#pragma once

// One window of the program on the page: an element with a title bar (icon, caption, close box)
// and a client area holding one real element per control, placed at 15 twips to a CSS pixel.

#include <emscripten/val.h>

#include <string>
#include <vector>

#include "toolkit/backend.h"

namespace quorvane::ui::web {

// Puts the text on the page's clipboard (see Backend::setClipboardText).
void SetPageClipboardText(const std::string& text);

// The program got control back from the page (an event, a frame): the work from here on counts
// towards the next frame.
void ProgramResumed();

class WebWindow : public WindowPeer {
 public:
  WebWindow(const WindowDescription& description, PeerEvents& events, int id);
  ~WebWindow() override;
  WebWindow(const WebWindow&) = delete;
  WebWindow& operator=(const WebWindow&) = delete;

  PeerEvents& events() { return events_; }

  void setWindowCaption(const std::string& caption) override;
  void setCaption(int control, const std::string& caption) override;
  std::string text(int control) const override;
  void setText(int control, const std::string& text) override;
  void setValue(int control, int value) override;
  void setShown(int control, bool shown) override;
  void setLocked(int control, bool locked) override;
  void setFocus(int control) override;
  int focused() const override;
  void selectAll(int control) override;

  void show() override;
  void showNow() override;
  void hide() override;
  bool isShown() const override;
  void close() override;

  void repaintNow() override;
  void place(const std::vector<ControlPlace>& places) override;
  bool pollStopRequest() override;

  double clientWidthTwips() const override;
  double clientHeightTwips() const override;
  void setClientWidthTwips(double twips) override;
  double frameHeightTwips() const override;
  double leftTwips() const override;
  double topTwips() const override;
  void moveTwips(double left, double top) override;
  TwipSize screenSizeTwips() const override;

  void messageBox(const std::string& title, const std::string& text) override;

  // Tables, the context menu, the clipboard's text and the download (window_tables.cpp).
  void setRows(int control, const std::vector<std::vector<std::string>>& rows) override;
  bool hasSelectedText(int control) const override;
  void popUpMenu(const std::vector<MenuEntry>& items, double leftTwips, double topTwips) override;
  SaveResult saveFile(const SaveRequest& request) override;

 private:
  struct Element {
    emscripten::val box = emscripten::val::undefined();      // placed in its container
    emscripten::val control = emscripten::val::undefined();  // takes the focus and has the role
    emscripten::val caption = emscripten::val::undefined();  // where the caption is drawn
  };

  Element makeControl(const ControlDescription& c, int index, const std::string& group);
  Element makeTable(const ControlDescription& c);
  // A sizable window gets a grip on its lower edge that changes the client area's height.
  void makeSizable();
  void applyFonts();
  // Lets the page paint once a frame's worth of work has run since it last did.
  void yieldForFrame();
  // Places the controls, sizes and scales the window as a narrow screen reflows it (the same as
  // placed and sized on any other screen).
  void applyReflow();

  WindowDescription description_;
  PeerEvents& events_;
  int id_;
  emscripten::val root_ = emscripten::val::undefined();
  emscripten::val caption_ = emscripten::val::undefined();
  emscripten::val client_ = emscripten::val::undefined();
  std::vector<Element> elements_;
  // The geometry the window layer gave, and the reflow of it shown (toolkit/reflow.h).
  std::vector<ControlPlace> places_;
  double layerClientWidth_ = 0;
  std::vector<int> fontPixels_;
  bool narrow_ = false;
  double scale_ = 1;
  double touchPixels_ = 0;  // the least touch area, in the window's own pixels
};

}  // namespace quorvane::ui::web
