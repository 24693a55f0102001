#pragma once

// A window of the program, built from its description on the current back-end, with the
// operations the windows' code uses: Caption, Text, Value, Visible and Locked of controls,
// Click handlers (shared by the members of an array), the outer width and the position of the
// window and the screen size in twips, repaint-now, and a modal message box.
//
// Controls are reached through typed handles (controls.h), looked up once when a form is built:
// a name that the description lacks, or a control of another kind, fails right there.
//
// Event dispatch, the same for every window and every back-end:
//  1. A click by the user first changes the control (an option button becomes selected and clears
//     the other option buttons of its container; a check box toggles), then runs its handler.
//     A click on an option button that is already selected runs nothing.
//  2. Setting an option button's Value to true when it was not selected clears its group and runs
//     its handler at once, nested in the caller; setting true on a selected button, or setting
//     false, runs nothing.
//  3. Setting a check box's Value to another value runs its handler at once, nested; setting the
//     current value runs nothing.
//  4. Visible, Caption, Text, Locked and the window's size and position run no handler.
//
// Tab order: Tab and Shift+Tab walk the focusable controls in tab-index order. A hidden control,
// and one that lies wholly outside the client area, is skipped; a group of option buttons is one
// stop, at its selected member.
//
// Keyboard, the same on every back-end (the back-ends only report the keys):
//  - Tab and Shift+Tab move the focus along the tab order; reaching a text box selects its text.
//  - Enter presses the focused command button, else the default button; Esc the cancel button.
//  - An access key ("&System Info..."), with Alt anywhere, or alone where the focus is not in a
//    text box, focuses its control and clicks it.
//  - The arrow keys on an option button move within its group in the group's order on screen
//    (top to bottom, then left to right): Down and Right to the next member, Up and Left back,
//    wrapping at the ends; the member reached is selected, as a click selects it.
//
//  - The context menu, where the window has one: Shift with function key 10 and the Menu key open it at the
//    control that has the focus; the back-end reports a right-click, which opens it where the
//    mouse is. Ctrl and an item's key run that item, unless the focus is in a text box that holds
//    a selection (the platform's own Ctrl+C copies it then).
//
// Visibility: a control is on the screen while it and every frame around it are visible.
//
// Ownership: see loaded_windows.h.

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <typeindex>
#include <vector>

#include "toolkit/backend.h"
#include "toolkit/control_ref.h"
#include "toolkit/description.h"
#include "toolkit/layout.h"
#include "toolkit/loaded_windows.h"

namespace quorvane::ui {

// Shows every message instead of a modal box, when set (tests). Returns the previous hook.
using MessageBoxHook = std::function<void(const std::string& title, const std::string& text)>;
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);
// Replaces the screen's size (tests). Returns the previous hook.
using ScreenSizeHook = std::function<TwipSize()>;
ScreenSizeHook SetScreenSizeHook(ScreenSizeHook hook);
// Replaces the clock that spaces the polls for a stop request (tests); empty: the steady clock.
// Returns the previous hook.
using StopPollClock = std::function<std::chrono::steady_clock::time_point()>;
StopPollClock SetStopPollClock(StopPollClock clock);

// The least time between two polls of the window system for a request to stop. A person cannot
// press Esc that often, and a poll can cost a round trip to the window system.
inline constexpr std::chrono::milliseconds kStopPollInterval{5};

class Form : private PeerEvents {
 public:
  using Handler = std::function<void(int index)>;

  // Builds the window and all its controls from the description on the current back-end; the
  // window is not shown.
  explicit Form(const WindowDescription& description);
  ~Form() override;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const WindowDescription& description() const { return description_; }
  const std::string& name() const { return description_.name; }

  // A control by name, array members by name and index ("Name", 3 is "Name(3)"); throws
  // ControlLookupError for a name the description lacks.
  ControlRef control(const std::string& name);
  ControlRef control(const std::string& arrayName, int index) { return control(MemberName(arrayName, index)); }
  // The row of a control, or -1.
  int indexOf(const std::string& name) const;
  // All control names in description order.
  std::vector<std::string> controlNames() const;

  // Window caption.
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& caption);

  // The Click handler of one control.
  void setClickHandler(int control, std::function<void()> handler);
  // By name: of a control, or of all members of an array (by its name without index). Array
  // handlers receive the member's index, other handlers -1.
  void setClickHandler(const std::string& nameOrArray, Handler handler);
  // The handler of an item of the window's context menu; throws ControlLookupError for an item the
  // description lacks.
  void setMenuHandler(MenuItemId item, std::function<void()> handler);
  // Runs after the user closed a window that the layer does not own (its close box). The window
  // is hidden by then; the owner decides whether it is discarded (discardLater).
  void setClosedHandler(std::function<void()> handler) { closed_ = std::move(handler); }

  // Shows the window modeless (the first show centres it when its description says so); a
  // window shown already comes to the front.
  void show();
  // The same, and returns once the window is on the screen with its captions.
  void showNow();
  // Shows the window modeless; the first show centres it over `other` (kept on the screen).
  void showCentredOver(const Form& other);
  void hide();
  bool isShown() const;
  // Hides the window and unloads it, as the user's close box does.
  void close();

  // Outer width (client area and the nominal border) and height of the window, in twips.
  double outerWidthTwips() const;
  double outerHeightTwips() const;
  // Sets the outer width; the height stays.
  void setOuterWidthTwips(double twips);
  // Moves the window's outer top-left corner to (left, top), twips from the screen's corner.
  void moveTwips(double left, double top);
  double leftTwips() const;
  double topTwips() const;
  // The screen's width and height in twips.
  TwipSize screenSizeTwips() const;
  // Moves the window to the centre of the screen: left = (screen width - window width) / 2 and
  // likewise top, in single precision; a window larger than the screen gets a negative left or
  // top.
  void centreOnScreen();
  // Moves the window to the centre of `other`, inside the screen.
  void centreOver(const Form& other);

  // While the caller keeps the user-interface thread busy: whether the user asked to stop it by
  // this window's close box or Esc (see WindowPeer::pollStopRequest). The window system is polled
  // at the first question and then once kStopPollInterval has passed since the last poll; a
  // question before then only reads the clock and answers no (a request waits for the next
  // poll). Runs no handler.
  bool pollStopRequest();
  // Brings every caption set so far to the screen at once, while the caller keeps the
  // user-interface thread busy (see WindowPeer::repaintNow).
  void repaintNow() { peer_->repaintNow(); }

  // A modal message box owned by this window; an empty title means the application title.
  void messageBox(const std::string& text, const std::string& title = std::string());
  // The platform's save dialog over this window, modal like a message box; it writes the file.
  SaveResult saveFile(const SaveRequest& request);
  // Runs `destroy` (which deletes this form) from the event loop, once no modal loop of this
  // window runs any more: a window is never destroyed under a loop it started.
  void discardLater(std::function<void()> destroy);

  // The control that Tab or Shift+Tab reaches from `from` (-1: the first stop), or -1.
  int nextTabStop(int from, bool forward) const;
  // Whether the control is on the screen as far as the window goes: it and its frames visible.
  bool shownInWindow(int control) const;
  // The keyboard, as the user's keys reach it (see the top of this file).
  bool userKey(const KeyEvent& key) override;

  WindowPeer& peer() { return *peer_; }
  const WindowPeer& peer() const { return *peer_; }

 private:
  friend class ControlRef;
  friend struct LoadedWindows;

  struct State {
    std::string caption;
    int value = 0;
    bool visible = true;
    bool shown = true;  // as the peer was last told
    bool locked = false;
    std::vector<std::vector<std::string>> rows;  // tables
  };

  void userPressed(int control) override;
  void userChanged(int control, int value) override;
  void closedByUser() override;
  bool userAskedForMenu(double leftTwips, double topTwips) override;
  void userChoseMenuItem(int item) override;
  void userResized(double clientHeightTwips) override;
  void popUpMenu(double leftTwips, double topTwips);
  // Runs `modal` as a modal loop of this window: the window is not discarded under it.
  template <class F>
  auto modal(F&& run);

  void placeBeforeFirstShow();
  void setValueOf(int control, int value, bool fromUser);
  void setVisibleOf(int control, bool visible);
  void runHandler(int control);
  bool canTakeTabFocus(int control) const;
  bool sameGroup(int a, int b) const;
  bool isInside(int control, int container) const;
  void focusByKeyboard(int control);
  void activate(int control);
  int focusedControl() const;
  int buttonFor(bool (*is)(const ControlDescription&)) const;
  bool moveInGroup(int from, bool forward);
  bool accessKey(char key);
  const ControlDescription& row(int control) const { return description_.controls[static_cast<std::size_t>(control)]; }

  WindowDescription description_;
  std::string caption_;
  std::vector<State> state_;
  std::vector<int> container_;  // row of each control's container, -1 for the client area
  // Where the controls are described, at the described height: the keyboard's rules go by it.
  std::vector<ControlPlace> places_;
  std::vector<int> memberIndex_;  // index of each array member, -1 for other controls
  std::map<std::string, int> byName_;
  std::vector<std::function<void()>> handlers_;      // by row
  std::vector<std::function<void()>> menuHandlers_;  // by item of the context menu
  std::vector<int> tabOrder_;                        // focusable controls by tab index
  std::function<void()> closed_;
  std::function<void()> pendingDiscard_;
  int modalDepth_ = 0;
  bool shownOnce_ = false;
  bool owned_ = false;  // loaded through Load<T>(): the layer discards it when it closes
  std::optional<std::chrono::steady_clock::time_point> lastStopPoll_;
  std::unique_ptr<WindowPeer> peer_;
};

// Puts the text on the clipboard (see Backend::setClipboardText).
void SetClipboardText(const std::string& text);

}  // namespace quorvane::ui
