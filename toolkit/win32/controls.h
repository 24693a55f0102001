#pragma once

// The native control of each kind of the descriptions, and what the window needs to know of it.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

#include "toolkit/description.h"

namespace quorvane::ui::win32 {

struct NativeClass {
  const wchar_t* name;
  DWORD style;  // beside WS_CHILD
  DWORD exStyle;
};
NativeClass NativeClassOf(const ControlDescription& control);

// The check state that shows a value of a check box (0, 1, 2 greyed) or option button (0, 1),
// and the value that a check state shows.
WPARAM CheckStateOf(int value);
int ValueOf(LRESULT checkState);

// The text that a control holds.
std::wstring WindowText(HWND control);

// Whether screen readers get the control's name from Dynamic Annotation: where its window text
// does not give it (a text box's is what the user typed; an option button may draw no caption).
bool NamedByAnnotation(const ControlDescription& control);

// Makes a label answer for its text (WM_GETTEXT, WM_GETTEXTLENGTH) from `text`, which the window
// keeps with the label's caption: a new caption then reaches every reader in this process, and
// every program that asks the label by message, without a round trip to the window system.
void AnswerTextFrom(HWND label, const std::wstring* text);

// Makes a check box or option button that has no caption show the focus around the whole of it
// (the system draws the focus around the caption alone), once the keyboard is in use.
void ShowFocusAroundUncaptioned(HWND button);

}  // namespace quorvane::ui::win32
