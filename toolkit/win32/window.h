#pragma once

// A window of the program on native Win32 controls, built from the window's description. All
// controls are children of the top-level window at their absolute place: a group box contains
// nothing on Windows, so showing and hiding a frame shows and hides its contents here.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/backend.h"
#include "toolkit/win32/dpi.h"

namespace quorvane::ui::win32 {

class Win32Window final : public WindowPeer {
 public:
  Win32Window(const WindowDescription& description, PeerEvents& events);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  HWND handle() const { return hwnd_; }
  HWND controlHandle(int control) const { return controls_[static_cast<std::size_t>(control)].hwnd; }

  void setWindowCaption(const std::string& caption) override;
  void setCaption(int control, const std::string& caption) override;
  std::string text(int control) const override;
  void setText(int control, const std::string& text) override;
  void setValue(int control, int value) override;
  void setVisible(int control, bool visible) override;
  void setLocked(int control, bool locked) override;
  void setFocus(int control) override;
  int focused() const override;
  void show() override;
  void showNow() override;
  void hide() override;
  bool isShown() const override;
  void close() override;
  void repaintNow(int control) override;
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

  // Keyboard handling of the program's windows, from the message loop before a message is
  // translated and dispatched: Tab and Shift+Tab in the neutral layer's order, Enter and Esc,
  // access keys and the arrow keys within a group of option buttons. True when handled.
  static bool PreTranslate(const MSG& message);
  // True while one of the program's windows is shown.
  static bool AnyShown();

 private:
  struct Native {
    HWND hwnd = nullptr;
    int parent = -1;     // row of the enclosing frame, -1 for the client area
    bool ownFlag = true;  // the control's own Visible; its frames' flags decide too
    std::string caption;
    HFONT font = nullptr;  // owned by fonts_, or the window's font
    HBRUSH brush = nullptr;  // lines: their colour
    bool captionHidden = false;
  };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void onCommand(int control, int code);
  bool translateKey(const MSG& message);
  void press(int control);
  void toggleCheckBox(int control);
  void selectOption(int control);
  bool moveInOptionGroup(int from, bool forward);
  bool accessKey(wchar_t key);

  const ControlDescription& row(int control) const { return description_.controls[static_cast<std::size_t>(control)]; }
  int indexOf(HWND control) const;
  bool shownInWindow(int control) const;
  bool usable(int control) const;  // shown and enabled: a key may press it
  void createControls();
  void layout();
  void makeFonts();
  bool captionFits(int control, HFONT font) const;
  void drawLabel(int control, HDC target, const RECT& area);
  void freeFonts();
  void loadIcons();
  void applyVisibility(int control);
  void focusControl(int control, bool fromKeyboard);
  RECT monitorRect() const;
  SIZE outerSizeForClient(int clientWidth, int clientHeight) const;

  WindowDescription description_;
  PeerEvents& events_;
  HWND hwnd_ = nullptr;
  DWORD style_ = 0;
  DWORD exStyle_ = 0;
  int dpi_ = 96;
  int clientWidthTwips_ = 0;  // as last set: the layout keeps it across dpi changes
  std::vector<Native> controls_;
  std::vector<HFONT> fonts_;
  HFONT windowFont_ = nullptr;
  HICON smallIcon_ = nullptr;
  HICON bigIcon_ = nullptr;
  HICON pictureIcon_ = nullptr;
  int savedFocus_ = -1;
  bool stopRequested_ = false;  // the close box or Esc while a poll for a stop runs
  HDC canvasDc_ = nullptr;  // where labels are drawn before they go to the screen at once
  HBITMAP canvas_ = nullptr;
  SIZE canvasSize_{0, 0};  // the control that has, or gets on activation, the focus
};

}  // namespace quorvane::ui::win32
