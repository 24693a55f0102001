#pragma once

// What a windowing toolkit must give the neutral window layer: a native window built from a
// description, with its controls addressed by their position in the description's table. The
// peer only shows what the neutral layer tells it and reports what the user does; the rules
// (event dispatch, tab order, geometry in twips) live in the neutral layer, once for every
// back-end.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/description.h"
#include "toolkit/layout.h"

namespace quorvane::ui {

struct TwipSize {
  double width = 0;
  double height = 0;
};

// A key the user pressed, as every back-end reports it.
// Function key 10 and Menu (the context-menu key) are reported for the window's context menu.
enum class Key { Tab, Enter, Escape, Left, Right, Up, Down, Character, Function10, Menu };
struct KeyEvent {
  Key key = Key::Character;
  char character = 0;  // Key::Character: the ASCII letter or digit typed, in lower case
  bool shift = false;
  bool control = false;
  bool alt = false;
};

// What a native window reports to its neutral window.
class PeerEvents {
 public:
  virtual ~PeerEvents() = default;
  // The user pressed a command button with the mouse or the space bar.
  virtual void userPressed(int control) = 0;
  // The user changed a check box (to 0 or 1) or selected an option button (1) with the mouse or
  // the space bar. The native control may show the change already.
  virtual void userChanged(int control, int value) = 0;
  // A key pressed in the window, before the native control that has the focus sees it. True when
  // the window layer took it (Tab, Enter, Esc, access keys, arrows in an option group); the
  // back-end then passes it on to nothing else.
  virtual bool userKey(const KeyEvent& key) = 0;
  // The user closed the window with its close box (or the system's close command).
  virtual void closedByUser() = 0;
  // The user asked for a context menu with the mouse (a right-click, a long press) at this point
  // of the client area, in twips. True when the window showed its menu (popUpMenu); the back-end
  // then passes the request on to nothing else. The keys that ask for it come through userKey.
  virtual bool userAskedForMenu(double leftTwips, double topTwips) = 0;
  // The user chose an item of the menu that popUpMenu showed (its row in the list given).
  virtual void userChoseMenuItem(int item) = 0;
  // The user made the client area of a window that is resized in height this high (twips); the
  // layer places the controls anew (WindowPeer::place).
  virtual void userResized(double clientHeightTwips) = 0;
};

// An item of a context menu as the back-end draws it: its caption and, beside it, its key
// ("Ctrl+C"), which the back-end only shows.
struct MenuEntry {
  std::string caption;
  std::string shortcut;
};

// A text file for the user to save where they choose, through the platform's save dialog.
struct SaveRequest {
  std::string title;          // the dialog's title
  std::string suggestedName;  // "plan.csv"
  std::string filterName;     // "CSV files"
  std::string extension;      // "csv", without the dot: added to a name typed without one
  std::string contents;       // UTF-8 text, its lines ending in "\n": written in the platform's line ends
};
enum class SaveOutcome { Saved, Cancelled, Failed };
struct SaveResult {
  SaveOutcome outcome = SaveOutcome::Cancelled;
  std::string path;  // the file chosen (Saved, Failed), as the user knows it
};

// One native top-level window, built from PeerDescription(): captions that are not drawn are
// empty, a control with an accessible name is read by it (else by its caption), and `visible`
// says whether the control is on the screen (through its frames). Controls are numbered by their row in the
// description. None of these calls reports back through PeerEvents. A peer keeps no state of the controls of its own:
// it shows what it is told and reports what the user did.
class WindowPeer {
 public:
  virtual ~WindowPeer() = default;

  virtual void setWindowCaption(const std::string& caption) = 0;
  // Only for controls that draw their caption.
  virtual void setCaption(int control, const std::string& caption) = 0;
  virtual std::string text(int control) const = 0;
  virtual void setText(int control, const std::string& text) = 0;
  // Check boxes 0, 1 or 2 (greyed); option buttons 0 or 1. Other members of an option group are
  // set by the neutral layer in calls of their own. The layer sets every control's start value
  // this way, right after the window is built.
  virtual void setValue(int control, int value) = 0;
  // Whether the control is on the screen: the layer has worked it out through its frames.
  virtual void setShown(int control, bool shown) = 0;
  virtual void setLocked(int control, bool locked) = 0;
  // Gives the control the keyboard focus (it shows that it has it, also without a caption); the
  // control with the focus, or -1.
  virtual void setFocus(int control) = 0;
  virtual int focused() const = 0;
  // Selects the whole text of a text box (reached by the keyboard).
  virtual void selectAll(int control) = 0;

  // Puts every control at its place (layout.h), by row, scaled to the back-end's pixels. The
  // layer gives the places right after the window is built, and again whenever the user changes
  // the client area's height.
  virtual void place(const std::vector<ControlPlace>& places) = 0;

  // Makes the native window without showing it, so that its frame is known before the first
  // show places it.
  virtual void realize() {}
  // Shows the window, or brings it to the front when it is shown already.
  virtual void show() = 0;
  // Shows the window like show() and returns once the window system has put it on the screen
  // (handling no user input meanwhile), with every caption painted.
  virtual void showNow() = 0;
  virtual void hide() = 0;
  virtual bool isShown() const = 0;
  // Closes the window as its close box does (reporting closedByUser).
  virtual void close() = 0;

  // Brings every caption of the window set so far to the screen at once, even while the caller
  // keeps the user-interface thread busy: the controls whose captions changed since the last
  // repaint.
  virtual void repaintNow() = 0;
  // While the caller keeps the user-interface thread busy: handles the window system's pending
  // events without running any handler. The user's input to every other window is dropped, and so
  // is a close of another window; this window's close box and Esc in this window are taken as a
  // request to stop, and leave the window open. Returns whether the user asked to stop.
  virtual bool pollStopRequest() { return false; }

  // The client area's size, in twips; setting the width keeps the height.
  virtual double clientWidthTwips() const = 0;
  virtual double clientHeightTwips() const = 0;
  virtual void setClientWidthTwips(double twips) = 0;
  // The height that the window system's frame adds to the client area (caption bar and borders),
  // in twips; 0 while the window is not decorated.
  virtual double frameHeightTwips() const = 0;
  // The outer top-left corner, in twips from the top-left corner of the window's screen.
  virtual double leftTwips() const = 0;
  virtual double topTwips() const = 0;
  virtual void moveTwips(double left, double top) = 0;
  // The size of the window's screen, in twips.
  virtual TwipSize screenSizeTwips() const = 0;

  // A modal message box over this window: title, text, an OK button and no icon. Returns when
  // OK is pressed.
  virtual void messageBox(const std::string& title, const std::string& text) = 0;

  // Tables: shows these rows, one cell per column of the description, replacing those shown.
  virtual void setRows(int control, const std::vector<std::vector<std::string>>& rows) = 0;
  // Whether a text box holds a selection (the platform's Copy then copies it).
  virtual bool hasSelectedText(int control) const = 0;
  // Shows the native popup menu with these items at this point of the client area (twips), and
  // returns; the item the user chooses comes through PeerEvents::userChoseMenuItem (nothing when
  // the menu is dismissed).
  virtual void popUpMenu(const std::vector<MenuEntry>& items, double leftTwips, double topTwips) = 0;
  // The platform's modal save dialog over this window (or, where there is none, a download);
  // writes the contents to the file chosen.
  virtual SaveResult saveFile(const SaveRequest& request) = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;
  // Builds the native window and its controls from a PeerDescription(); not shown yet.
  virtual std::unique_ptr<WindowPeer> createWindow(const WindowDescription& description, PeerEvents& events) = 0;
  // Runs `work` soon, from the event loop, after the current event has been handled.
  virtual void post(std::function<void()> work) = 0;
  // Runs the event loop until quit(); returns quit's status.
  virtual int run() = 0;
  // Ends the event loop that run() runs, once the current event has been handled; nothing while
  // none runs.
  virtual void quit(int status) = 0;
  // Puts the text (UTF-8, lines ending in "\n") on the clipboard, in the platform's line ends.
  virtual void setClipboardText(const std::string& text) = 0;
};

// The back-end that windows are built with. The program installs one at start; tests install
// their own.
void SetBackend(Backend* backend);
Backend& CurrentBackend();

}  // namespace quorvane::ui
