#pragma once

// A window of the program on native Win32 controls, built from the window's PeerDescription. All
// controls are children of the top-level window at their absolute place: a group box contains
// nothing on Windows. The native controls hold what they show (texts, check states, visibility),
// but for the labels' texts, which the window keeps as it was last given them and the labels
// answer for (see setCaption); the window keeps besides only the GDI objects it made for them.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/backend.h"
#include "toolkit/win32/accessibility.h"
#include "toolkit/win32/fonts.h"
#include "toolkit/win32/gdi.h"
#include "toolkit/win32/label_painter.h"

namespace quorvane::ui::win32 {

struct WindowDestroyer {
  void operator()(HWND window) const { DestroyWindow(window); }
};
// A top-level window, destroyed with its controls when it goes.
using WindowOwner = HandleOwner<HWND, WindowDestroyer>;

class Win32Window final : public WindowPeer {
 public:
  Win32Window(const WindowDescription& description, PeerEvents& events);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  HWND handle() const { return window_.get(); }
  HWND controlHandle(int control) const { return controls_[static_cast<std::size_t>(control)]; }

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
  // Tables, the context menu and the save dialog (window_tables.cpp).
  void setRows(int control, const std::vector<std::vector<std::string>>& rows) override;
  bool hasSelectedText(int control) const override;
  void popUpMenu(const std::vector<MenuEntry>& items, double leftTwips, double topTwips) override;
  SaveResult saveFile(const SaveRequest& request) override;
  // From the message loop: a right-click anywhere on a window with a context menu opens the menu
  // (the layer says whether it has one). True when it did: the message is then consumed.
  static bool preTranslateMouse(const MSG& message);

  // From the message loop, before a message is translated and dispatched: the keys that the
  // window layer takes (Tab, Enter, Esc, the arrows, letters and digits) go to it first. True
  // when it took the key: the message is then consumed.
  static bool preTranslate(const MSG& message);
  // Before the thread waits for messages: the labels of every window whose new captions no
  // repaint-now has painted are marked for painting, so that the window system paints them; and
  // their window texts are brought up to date (giveWindowTexts).
  static void markChangedLabels();

 private:
  // The program's window that `hwnd` is, or lies in; null for any other.
  static Win32Window* windowOf(HWND hwnd);
  // The window whose busy caller looks for a request to stop, while it does.
  static Win32Window*& pollingWindow();
  // Before the thread handles messages (a poll for a stop, a wait, a modal loop): the window
  // system gets the window text of every label of every window whose caption changed since, for
  // the programs that read it there (InternalGetWindowText, the screen readers' name events).
  static void giveWindowTexts();
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void onCommand(int control, int code);
  void showKeyboardCues();
  // A list view in report style with the described columns (window_tables.cpp).
  void setUpTable(int control);
  // The tables' column widths at the window's dpi.
  void fitTableColumns();
  // A window that the user resizes in height only: its width and least height.
  void limitTrackSize(MINMAXINFO& limits) const;

  const ControlDescription& row(int control) const { return description_.controls[static_cast<std::size_t>(control)]; }
  int indexOf(HWND control) const;
  void createControls();
  void nameControls();
  void clearNames();
  // What depends on the dpi: the controls' places and sizes, fonts and icons, the window's size.
  void fitToDpi();
  // The controls at their places, scaled to the window's dpi.
  void layout();
  void loadIcons();
  RECT monitorRect() const;
  SIZE outerSizeForClient(int clientWidth, int clientHeight) const;

  WindowDescription description_;
  PeerEvents& events_;
  AccessibleNames& names_;
  DWORD style_ = 0;
  DWORD exStyle_ = 0;
  int dpi_ = 96;
  int clientWidthTwips_ = 0;          // as last set: the layout keeps it across dpi changes
  int savedFocus_ = -1;               // the control that has, or gets on activation, the focus
  bool stopRequested_ = false;        // the close box or Esc while a poll for a stop runs
  std::vector<int> unpainted_;        // controls whose captions changed since the last repaint-now
  std::vector<int> textsToGive_;      // labels whose window text the window system does not have yet
  std::vector<ControlPlace> places_;  // as the layer placed the controls last
  // What the window made for its controls. Declared before the window itself, which goes first,
  // so that no control is left holding a freed font, brush or icon.
  std::vector<BrushOwner> lineBrushes_;   // by row; lines only
  std::vector<std::wstring> labelTexts_;  // by row; labels only: the caption each shows and answers for
  std::unique_ptr<WindowFonts> fonts_;
  IconOwner smallIcon_, bigIcon_, pictureIcon_;
  LabelPainter labels_;
  std::vector<HWND> controls_;  // by row; destroyed with the window
  WindowOwner window_;
};

}  // namespace quorvane::ui::win32
