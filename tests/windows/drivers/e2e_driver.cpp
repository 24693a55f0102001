// Plays the end-to-end scenario in the Windows program from outside, as a user would: finds its
// windows by title and its controls by caption and class (a text box or an option button without
// a caption is the control next right of the one captioned with its name), types with WM_SETTEXT,
// presses with BM_CLICK, clicks and presses keys with mouse and key messages, and reads the text
// that the window system keeps. The System Info stub sysinfo_stub.exe lies beside this driver.
//   e2e_driver STEPS QUORVANE.EXE   STEPS: the scenario as tests/e2e/scenario.py expands it for
//   win32. Prints "ok: CASE" after each case; the first failure prints "FAIL: CASE: what" and ends
//   the run with status 1.

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kTimeoutMs = 20000;
constexpr DWORD kSearchTimeoutMs = 600000;
constexpr const wchar_t* kMsinfoKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

using Strings = std::vector<std::wstring>;

std::string Utf8(const std::wstring& text) {
  std::string bytes(text.size() * 3, '\0');
  bytes.resize(
      static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                                   static_cast<int>(bytes.size()), nullptr, nullptr)));
  return bytes;
}

[[noreturn]] void Fail(const std::wstring& what) { throw std::runtime_error(Utf8(what)); }

void Expect(bool condition, const std::wstring& what) {
  if (!condition) Fail(what);
}

void ExpectText(const std::wstring& got, const std::wstring& want, const std::wstring& what) {
  if (got != want) Fail(what + L": \"" + got + L"\", expected \"" + want + L"\"");
}

// Polls `ready` every few milliseconds until it holds; false after `timeoutMs`.
bool WaitUntil(const std::function<bool()>& ready, DWORD timeoutMs = kTimeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!ready()) {
    if (GetTickCount64() > end) return false;
    Sleep(2);
  }
  return true;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

// The text the window system keeps for a window: read without a message, so also while the
// program is busy.
std::wstring StoredText(HWND hwnd) {
  wchar_t text[512] = {};
  InternalGetWindowText(hwnd, text, 512);
  return text;
}

// A caption as it reads, without the "&" before its access key.
std::wstring Caption(HWND hwnd) {
  std::wstring text = StoredText(hwnd);
  for (std::size_t at = 0; (at = text.find(L'&', at)) != std::wstring::npos; ++at) text.erase(at, 1);
  return text;
}

// Sends a message and returns the answer; a failure when none comes in time.
DWORD_PTR Send(HWND hwnd, UINT message, WPARAM w = 0, LPARAM l = 0, DWORD timeoutMs = kTimeoutMs) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, message, w, l, SMTO_ABORTIFHUNG, timeoutMs, &result))
    Fail(L"no answer from \"" + StoredText(hwnd) + L"\" to the message " + std::to_wstring(message));
  return result;
}

void Type(HWND edit, const std::wstring& text) { Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); }

// Presses a button and returns once its handler has run.
void Click(HWND button) { Send(button, BM_CLICK, 0, 0, kSearchTimeoutMs); }

// Presses a button whose handler opens a modal window or runs long: returns at once.
void ClickLater(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

bool Checked(HWND button) { return Send(button, BM_GETCHECK) == BST_CHECKED; }

bool Shown(HWND hwnd) { return IsWindowVisible(hwnd) != FALSE; }
bool Gone(HWND hwnd) { return !IsWindow(hwnd) || !Shown(hwnd); }

// The control that has the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Kinds of control, as bits: a set of kinds is their sum.
enum Kind : unsigned { Static = 1, PushButton = 2, CheckBox = 4, OptionButton = 8, GroupBox = 16, Edit = 32 };
constexpr unsigned kFocusable = PushButton | CheckBox | OptionButton | Edit;

Kind KindOf(HWND hwnd) {
  const std::wstring cls = ClassOf(hwnd);
  if (lstrcmpiW(cls.c_str(), L"Edit") == 0) return Edit;
  if (lstrcmpiW(cls.c_str(), L"Button") != 0) return Static;
  const LONG type = GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK;
  if (type == BS_GROUPBOX) return GroupBox;
  if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE) return CheckBox;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ? OptionButton : PushButton;
}

BOOL CALLBACK Collect(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

// The child windows, the frontmost first.
std::vector<HWND> ChildrenOf(HWND top) {
  std::vector<HWND> children;
  EnumChildWindows(top, Collect, reinterpret_cast<LPARAM>(&children));
  return children;
}

Strings LabelTexts(HWND top) {
  Strings texts;
  for (HWND child : ChildrenOf(top))
    if (KindOf(child) == Static) texts.push_back(StoredText(child));
  return texts;
}

RECT RectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

// The nearest shown control of `kinds` right of `anchor` on its line or, `under`, the one right
// under it and aligned with it on the left (a column's value under its heading); null if none.
HWND Near(HWND anchor, unsigned kinds, bool under = false) {
  const RECT a = RectOf(anchor);
  HWND best = nullptr;
  LONG bestGap = 0;
  for (HWND child : ChildrenOf(GetParent(anchor))) {
    const RECT r = RectOf(child);
    if (child == anchor || !(KindOf(child) & kinds) || !Shown(child)) continue;
    const LONG middle = (r.top + r.bottom) / 2;
    const bool placed =
        under ? r.left >= a.left - 3 && r.left <= a.left + 3 && r.top >= a.bottom - 3 && r.top <= a.bottom + 3
              : middle >= a.top && middle < a.bottom && r.left >= a.right - 2;
    const LONG gap = under ? r.top - a.bottom : r.left - a.right;
    if (placed && (!best || gap < bestGap)) best = child, bestGap = gap;
  }
  return best;
}

// The shown top-level windows of the process, the frontmost first; of a class and title when given.
std::vector<HWND> TopWindows(DWORD process, const std::wstring& cls = L"", const std::wstring& title = L"") {
  std::vector<HWND> all, found;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
  for (HWND hwnd : all) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == process && Shown(hwnd) && (cls.empty() || ClassOf(hwnd) == cls) &&
        (title.empty() || StoredText(hwnd) == title))
      found.push_back(hwnd);
  }
  return found;
}

HWND WaitForWindow(DWORD process, const std::wstring& cls, const std::wstring& title, DWORD timeoutMs = kTimeoutMs) {
  std::vector<HWND> found;
  if (!WaitUntil([&] { return !(found = TopWindows(process, cls, title)).empty(); }, timeoutMs))
    Fail(L"the window \"" + title + L"\" did not appear");
  return found.front();
}

// Reads the shown message box, checks its title and text, an OK button and no icon, and closes it.
void AnswerMessageBox(DWORD process, HWND owner, const std::wstring& title, const std::wstring& text) {
  const HWND box = WaitForWindow(process, L"#32770", title);
  Expect(!IsWindowEnabled(owner), L"the window under the message \"" + title + L"\" can still be used");
  Strings texts;
  HWND ok = nullptr;
  int buttons = 0;
  for (HWND child : ChildrenOf(box)) {
    if (Shown(child) && KindOf(child) == PushButton) ++buttons, ok = child;
    if (!Shown(child) || KindOf(child) != Static) continue;
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      Expect(Send(child, STM_GETICON) == 0, L"the message \"" + title + L"\" shows an icon");
    if (!StoredText(child).empty()) texts.push_back(StoredText(child));
  }
  Expect(texts.size() == 1, L"the message \"" + title + L"\" holds " + std::to_wstring(texts.size()) + L" texts");
  ExpectText(texts.front(), text, L"the text of the message \"" + title + L"\"");
  Expect(buttons == 1 && ok && StoredText(ok) == L"OK", L"the message \"" + title + L"\" has not an OK button alone");
  ClickLater(ok);
  Expect(WaitUntil([&] { return Gone(box); }), L"the message \"" + title + L"\" did not close");
  Expect(WaitUntil([&] { return IsWindowEnabled(owner) != FALSE; }), L"the window stays disabled after the message");
}

// The headings and rows of a list view in the program's process, as a screen reader reads them:
// cells separated by tabs, rows by line ends.
std::wstring ListViewText(DWORD process, HWND list) {
  const HANDLE other = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
  if (!other) Fail(L"cannot reach the program's memory");
  constexpr int kChars = 256;
  char* remote = static_cast<char*>(VirtualAllocEx(
      other, nullptr, sizeof(LVITEMW) + sizeof(HDITEMW) + kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
  wchar_t* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW) + sizeof(HDITEMW));
  // Puts `item` into the program's memory, pointing at the text there, and reads that text back
  // once `to` has answered `message`.
  const auto text = [&](HWND to, UINT message, int index, auto item) {
    if constexpr (std::is_same_v<decltype(item), HDITEMW>) item.mask = HDI_TEXT;
    item.pszText = remoteText;
    item.cchTextMax = kChars;
    WriteProcessMemory(other, remote, &item, sizeof item, nullptr);
    Send(to, message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote));
    wchar_t read[kChars] = {};
    ReadProcessMemory(other, remoteText, read, sizeof read - sizeof(wchar_t), nullptr);
    return std::wstring(read);
  };
  const HWND header = reinterpret_cast<HWND>(Send(list, LVM_GETHEADER));
  const int columns = static_cast<int>(Send(header, HDM_GETITEMCOUNT));
  std::wstring shown;
  for (int c = 0; c < columns; ++c) shown += (c ? L"\t" : L"") + text(header, HDM_GETITEMW, c, HDITEMW{});
  const int rows = static_cast<int>(Send(list, LVM_GETITEMCOUNT));
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      LVITEMW item{};
      item.iSubItem = c;
      shown += (c ? L"\t" : L"\n") + text(list, LVM_GETITEMTEXTW, r, item);
    }
  }
  VirtualFreeEx(other, remote, 0, MEM_RELEASE);
  CloseHandle(other);
  return shown;
}

// The clipboard's text, without carriage returns; false while another program holds it open.
bool ReadClipboard(std::wstring& text) {
  if (!OpenClipboard(nullptr)) return false;
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* chars = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
  text = chars ? chars : L"";
  if (chars) GlobalUnlock(data);
  CloseClipboard();
  text.erase(std::remove(text.begin(), text.end(), L'\r'), text.end());
  return true;
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }

std::wstring FullPath(const std::wstring& path) {
  wchar_t full[MAX_PATH] = {};
  GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  return full;
}

std::wstring FileText(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  if (!file) Fail(L"cannot read " + path);
  const std::string bytes(std::istreambuf_iterator<char>(file), {});
  std::wstring text(bytes.size(), L'\0');
  text.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                           text.data(), static_cast<int>(text.size()))));
  return text;
}

// The steps, one a line: the fields between the "|", without the blanks around them, and with
// "\n", "\t" and "\\" unescaped.
std::vector<Strings> ReadSteps(const std::wstring& path) {
  std::vector<Strings> steps;
  Strings fields{L""};
  bool escaped = false;
  for (const wchar_t c : FileText(path) + L"\n") {
    std::wstring& field = fields.back();
    if (escaped) {
      field += c == L'n' ? L'\n' : c == L't' ? L'\t' : c;
      escaped = false;
    } else if (c == L'\\') {
      escaped = true;
    } else if (c == L'|' || c == L'\n') {
      field.erase(field.find_last_not_of(L' ') + 1);
      if (c == L'|') fields.emplace_back();
      if (c == L'\n' && !(fields.size() == 1 && fields[0].empty())) steps.push_back(fields);
      if (c == L'\n') fields = {L""};
    } else if ((c != L' ' || !field.empty()) && c != L'\r') {
      field += c;
    }
  }
  return steps;
}

std::wstring Joined(const Strings& items, std::size_t from = 0) {
  std::wstring text;
  for (std::size_t i = from; i < items.size(); ++i) text += (i > from ? L" | " : L"") + items[i];
  return text;
}

// The program, started from its own folder, and what the steps have done to it so far.
class Player {
 public:
  Player(const std::wstring& exe, std::wstring stub, Strings menuItems)
      : stub_(std::move(stub)), menuItems_(std::move(menuItems)) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, FolderOf(exe).c_str(), &startup,
                        &process_))
      Fail(L"cannot start " + exe);
    main_ = owner_ = WaitForWindow(id(), L"QuorvaneWindow", L"Quorvane", kStartTimeoutMs);
  }
  ~Player() {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  void play(const Strings& s) {
    static const std::map<std::wstring, std::size_t> kFields = {
        {L"note", 2},  {L"type", 3},    {L"choose", 2},     {L"tick", 3},        {L"press", 2},     {L"press-later", 2},
        {L"focus", 2}, {L"key", 2},     {L"focused", 2},    {L"chosen", 2},      {L"menu", 3},      {L"menu-items", 0},
        {L"shown", 3}, {L"beside", 3},  {L"frames", 0},     {L"results", 0},     {L"clipboard", 2}, {L"table", 3},
        {L"csv", 3},   {L"message", 3}, {L"no-message", 1}, {L"search", 2},      {L"stop", 3},      {L"close", 2},
        {L"open", 2},  {L"closed", 2},  {L"quit", 1},       {L"sysinfo-tool", 2}};
    const std::wstring& k = s[0];
    const auto fields = kFields.find(k);
    Expect(fields != kFields.end(), L"no such step: " + Joined(s));
    Expect(fields->second ? s.size() == fields->second || (k == L"press" && s.size() == 3) : s.size() >= 2,
           L"a step with the wrong fields: " + Joined(s));
    if (k == L"tick") Expect(s[2] == L"on" || s[2] == L"off", L"a check box is ticked on or off, not " + s[2]);
    if (k == L"note") std::printf("note: %s\n", Utf8(s[1]).c_str());
    if (k == L"type") Type(control(s[1], Edit), s[2]);
    if (k == L"choose") Click(control(s[1], OptionButton));
    if (k == L"tick" && Checked(control(s[1], CheckBox)) != (s[2] == L"on")) Click(control(s[1], CheckBox));
    if (k == L"press") Click(control(s[1], PushButton, s.size() == 3 ? s[2] : L""));
    if (k == L"press-later") pressLater(control(s[1], PushButton));
    if (k == L"focus") focus(s[1]);
    if (k == L"key") key(s[1]);
    if (k == L"focused") focused(s[1]);
    if (k == L"chosen") {
      const HWND option = control(s[1], OptionButton);
      Expect(WaitUntil([&] { return Checked(option); }), L"\"" + s[1] + L"\" is not chosen");
    }
    if (k == L"menu") menu(s[1], s[2]);
    if (k == L"menu-items" && !shownItems_.empty()) ExpectText(Joined(shownItems_), Joined(s, 1), L"the menu's items");
    if (k == L"menu-items" && shownItems_.empty() && !std::exchange(toldMenu_, true))
      std::printf("note: Wine keeps a process's menus to itself: the items are known by what each one does\n");
    if (k == L"shown") shown(s[1], s[2]);
    if (k == L"beside" || k == L"results") results(s);
    if (k == L"frames") ExpectText(Joined(frames()), Joined(s, 1), L"the frames");
    if (k == L"clipboard") clipboard(s[1]);
    if (k == L"table") ExpectText(ListViewText(id(), table(s[1])), s[2], L"the table of the window " + s[1]);
    if (k == L"csv") csv(s[1], s[2]);
    if (k == L"message") AnswerMessageBox(id(), owner_, s[1], s[2]);
    if (k == L"no-message") Expect(TopWindows(id(), L"#32770").empty(), L"a message box is shown");
    if (k == L"search") {
      Expect(s[1] == L"counting", L"no such search: " + s[1]);
      const HWND working = counting(kSearchTimeoutMs);
      Expect(WaitUntil([&] { return Gone(working); }, kSearchTimeoutMs), L"the Working window stays after the search");
    }
    if (k == L"stop") stop(s[1], s[2]);
    if (k == L"close") close(s[1]);
    if (k == L"open") WaitForWindow(id(), L"QuorvaneWindow", s[1]);
    if (k == L"closed")
      Expect(WaitUntil([&] { return TopWindows(id(), L"QuorvaneWindow", s[1]).empty(); }),
             L"the window " + s[1] + L" stays");
    if (k == L"quit") {
      PostMessageW(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
      Expect(WaitForSingleObject(process_.hProcess, kTimeoutMs) == WAIT_OBJECT_0,
             L"the program still runs after its last window closed");
      DWORD code = 1;
      GetExitCodeProcess(process_.hProcess, &code);
      Expect(code == 0, L"the program ended with exit code " + std::to_wstring(code));
    }
    if (k == L"sysinfo-tool") sysinfoTool(s[1]);
  }

 private:
  DWORD id() const { return process_.dwProcessId; }

  // The control named `name` in the program's shown windows (or the one titled `title`): the one
  // of `kinds` captioned so, or the control next right of the one captioned so, when it is of
  // `kinds`; a text box there goes first, as it takes the name of the control on its left. An
  // option button found so draws no text: its caption has no room.
  HWND control(const std::wstring& name, unsigned kinds, const std::wstring& title = L"") const {
    std::vector<HWND> named;
    for (HWND window : TopWindows(id(), L"", title))
      for (HWND child : ChildrenOf(window))
        if (Caption(child) == name && KindOf(child) != Edit) named.push_back(child);
    if (kinds & Edit)
      for (HWND c : named)
        if (HWND box = Near(c, kFocusable | Static); box && KindOf(box) == Edit) return box;
    for (HWND c : named)
      if (KindOf(c) & kinds) return c;
    for (HWND c : named) {
      if (HWND right = Near(c, kFocusable | Static); right && (KindOf(right) & kinds)) {
        if (KindOf(right) == OptionButton)
          ExpectText(StoredText(right), L"", L"the text of the option button right of \"" + name + L"\"");
        return right;
      }
    }
    Fail(L"no control \"" + name + L"\"");
  }

  // The window the last press opened (one of the program's that was not shown before it), once a
  // label of it has changed while it is shown.
  HWND counting(DWORD timeoutMs) const {
    HWND window = nullptr;
    Expect(WaitUntil([&] {
             for (HWND shown : TopWindows(id(), L"QuorvaneWindow"))
               if (!before_.count(shown)) window = shown;
             return window != nullptr;
           }),
           L"no window opened");
    const Strings first = LabelTexts(window);
    bool counted = false;
    WaitUntil([&] { return (counted = LabelTexts(window) != first && !Gone(window)) || Gone(window); }, timeoutMs);
    Expect(counted, L"the Working window does not count");
    return window;
  }

  void pressLater(HWND button) {
    owner_ = GetAncestor(button, GA_ROOT);
    const std::vector<HWND> windows = TopWindows(id());
    before_ = std::set<HWND>(windows.begin(), windows.end());
    labelsBefore_ = LabelTexts(main_);
    ClickLater(button);
  }

  // A click with the left mouse button, as the control receives it.
  void focus(const std::wstring& name) {
    const HWND target = control(name, kFocusable);
    PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    Expect(WaitUntil([&] { return FocusOf(main_) == target; }), L"a click does not focus \"" + name + L"\"");
  }

  // The key goes to the focused control, once a shown window that takes input holds the focus.
  void key(const std::wstring& name) {
    static const std::map<std::wstring, WPARAM> kKeys = {
        {L"Tab", VK_TAB}, {L"Up", VK_UP}, {L"Down", VK_DOWN}, {L"Enter", VK_RETURN}, {L"Escape", VK_ESCAPE}};
    const auto key = kKeys.find(name);
    Expect(key != kKeys.end(), L"no such key: " + name);
    HWND target = nullptr;
    Expect(WaitUntil([&] {
             const HWND window = (target = FocusOf(main_)) ? GetAncestor(target, GA_ROOT) : nullptr;
             return window && Shown(window) && IsWindowEnabled(window);
           }),
           L"no window of the program has the focus");
    PostMessageW(target, WM_KEYDOWN, key->second, 0);
  }

  void focused(const std::wstring& name) {
    const HWND target = control(name, kFocusable);
    Expect(WaitUntil([&] { return FocusOf(main_) == target; }), L"the focus is not on \"" + name + L"\" but on the " +
                                                                    ClassOf(FocusOf(main_)) + L" \"" +
                                                                    StoredText(FocusOf(main_)) + L"\"");
  }

  // Opens the main window's context menu, reads its items where Wine lets another process read
  // them (else it takes them from the scenario's menu-items step), and chooses one with the keys.
  void menu(const std::wstring& how, const std::wstring& choice) {
    owner_ = main_;
    clipboardBefore_ = GetClipboardSequenceNumber();
    if (how == L"right-click") {
      PostMessageW(main_, WM_RBUTTONUP, 0, MAKELPARAM(40, 400));
    } else if (how == L"Shift and function key 10") {
      // As the keyboard sends them, to the window in front: the program reads the state of Shift.
      SetForegroundWindow(main_);
      for (const auto& [key, up] : {std::pair<BYTE, DWORD>{VK_SHIFT, 0}, {VK_F10, 0}, {VK_F10, 1}, {VK_SHIFT, 1}})
        keybd_event(key, 0, up ? KEYEVENTF_KEYUP : 0, 0);
    } else if (how == L"Menu key") {
      const HWND focus = FocusOf(main_);
      PostMessageW(focus && GetAncestor(focus, GA_ROOT) == main_ ? focus : main_, WM_KEYDOWN, VK_APPS, 0);
    } else {
      Fail(L"no way to open the menu by " + how);
    }
    const HWND menu = WaitForWindow(id(), L"#32768", L"");
    const auto handle = reinterpret_cast<HMENU>(Send(menu, MN_GETHMENU));
    shownItems_.clear();
    for (int i = 0; handle && i < GetMenuItemCount(handle); ++i) {
      wchar_t caption[64] = {};
      GetMenuStringW(handle, static_cast<UINT>(i), caption, 64, MF_BYPOSITION);
      shownItems_.push_back(caption);
    }
    const Strings& items = shownItems_.empty() ? menuItems_ : shownItems_;
    std::size_t item = 0;
    while (item < items.size() && items[item].substr(0, items[item].find(L'\t')) != choice) ++item;
    Expect(item < items.size(), L"the menu has no item \"" + choice + L"\"");
    for (std::size_t i = 0; i <= item; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    Expect(WaitUntil([&] { return Gone(menu); }), L"the context menu stays open");
  }

  void shown(const std::wstring& title, const std::wstring& text) {
    for (HWND child : ChildrenOf(WaitForWindow(id(), L"QuorvaneWindow", title)))
      if (KindOf(child) == Static && Shown(child) && StoredText(child) == text) return;
    Fail(L"the window \"" + title + L"\" shows no \"" + text + L"\"");
  }

  // Each heading's value in the main window: right of a heading that ends with a colon; under one
  // without, where a label sits right under it, else right of it too.
  void results(const Strings& s) {
    Expect(s.size() % 2 == 1, L"a heading without its value: " + Joined(s));
    std::vector<HWND> values;
    for (std::size_t i = 1; i < s.size(); i += 2) {
      HWND heading = nullptr;
      for (HWND child : ChildrenOf(main_))
        if (KindOf(child) == Static && Shown(child) && (Caption(child) == s[i] || Caption(child) == s[i] + L":"))
          heading = child;
      Expect(heading != nullptr, L"no heading \"" + s[i] + L"\"");
      HWND value = Caption(heading).back() == L':' ? nullptr : Near(heading, Static, true);
      values.push_back(value ? value : Near(heading, Static));
      Expect(values.back() != nullptr, L"no value beside \"" + s[i] + L"\"");
    }
    std::size_t wrong = 0;
    const auto shows = [&] {
      for (wrong = 0; wrong < values.size(); ++wrong)
        if (StoredText(values[wrong]) != s[2 * wrong + 2]) return false;
      return true;
    };
    if (!WaitUntil(shows))
      ExpectText(StoredText(values[wrong]), s[2 * wrong + 2], L"beside \"" + s[2 * wrong + 1] + L"\"");
  }

  // The frames of the main window, each followed by those that lie in it, as a screen reader walks
  // them; the window stacks its frames in the reverse of their order.
  Strings frames(HWND in = nullptr) const {
    std::vector<HWND> all;
    for (HWND child : ChildrenOf(main_))
      if (KindOf(child) == GroupBox) all.insert(all.begin(), child);
    const auto inside = [](HWND inner, HWND outer) {
      const RECT i = RectOf(inner), o = RectOf(outer);
      return inner != outer && i.left >= o.left && i.right <= o.right && i.top >= o.top && i.bottom <= o.bottom;
    };
    Strings captions;
    for (HWND frame : all) {
      HWND holder = nullptr;
      for (HWND outer : all)
        if (inside(frame, outer) && (!holder || inside(outer, holder))) holder = outer;
      if (holder != in) continue;
      captions.push_back(Caption(frame));
      for (const std::wstring& caption : frames(frame)) captions.push_back(caption);
    }
    return captions;
  }

  // Read once it has been written since the last menu opened: a read holds the clipboard, and the
  // program cannot write it meanwhile.
  void clipboard(const std::wstring& want) {
    std::wstring text;
    DWORD read = clipboardBefore_;
    Expect(WaitUntil([&] {
             const DWORD written = GetClipboardSequenceNumber();
             if (written == read || !ReadClipboard(text)) return false;
             read = written;
             return text == want;
           }),
           L"the clipboard holds \"" + text + L"\", expected \"" + want + L"\"");
  }

  HWND table(const std::wstring& title) const {
    for (HWND child : ChildrenOf(WaitForWindow(id(), L"QuorvaneWindow", title)))
      if (lstrcmpiW(ClassOf(child).c_str(), WC_LISTVIEWW) == 0) return child;
    Fail(L"no table in the window " + title);
  }

  // "Save..." in the window, a file name in the save dialog, and the file written, with the line
  // ends of Windows; then the window is closed.
  void csv(const std::wstring& title, const std::wstring& text) {
    const HWND window = WaitForWindow(id(), L"QuorvaneWindow", title);
    const std::wstring path = FullPath(L"e2e-driver-saved.csv");
    DeleteFileW(path.c_str());
    ClickLater(control(L"Save...", PushButton, title));
    const HWND dialog = WaitForWindow(id(), L"#32770", L"");
    Type(GetDlgItem(dialog, edt1) ? GetDlgItem(dialog, edt1) : GetDlgItem(dialog, cmb13), path);
    ClickLater(GetDlgItem(dialog, IDOK));
    Expect(WaitUntil([&] { return Gone(dialog) && IsWindowEnabled(window); }),
           L"the save dialog of the window " + title + L" stays");
    Send(window, WM_NULL);  // answered once the press has been handled
    std::wstring want;
    for (const wchar_t c : text) want += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    ExpectText(FileText(path), want, L"the file saved from " + title);
    close(title);
  }

  // Stops the search by Esc or the close box once it counts: the window goes within the time
  // given, the main window takes input again, and no label of it changed.
  void stop(const std::wstring& how, const std::wstring& ms) {
    const HWND working = counting(kTimeoutMs);
    const ULONGLONG start = GetTickCount64();
    Expect(how == L"Esc" || how == L"close box", L"no way to stop a search by " + how);
    if (how == L"Esc") PostMessageW(working, WM_KEYDOWN, VK_ESCAPE, 0);
    if (how == L"close box") PostMessageW(working, WM_SYSCOMMAND, SC_CLOSE, 0);
    Expect(WaitUntil([&] { return Gone(working); }, static_cast<DWORD>(std::stoul(ms))),
           L"the Working window stays " + ms + L" ms after the stop by " + how);
    const ULONGLONG gone = GetTickCount64() - start;
    Send(main_, WM_NULL);  // answered once its thread is back in its message loop
    std::printf("stopped by %s: the Working window gone after %llu ms, the main window answers after %llu ms\n",
                Utf8(how).c_str(), gone, GetTickCount64() - start);
    ExpectText(Joined(LabelTexts(main_)), Joined(labelsBefore_), L"the main window's labels after the stop");
  }

  void close(const std::wstring& title) {
    const HWND window = WaitForWindow(id(), L"QuorvaneWindow", title);
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    Expect(WaitUntil([&] { return Gone(window); }), L"the window " + title + L" stays");
  }

  // With the registry naming the System Information tool (the stub beside this driver), a click
  // on the button starts it; the registry is without it again afterwards.
  void sysinfoTool(const std::wstring& button) {
    const std::wstring marker = FolderOf(stub_) + L"sysinfo-started.txt";
    DeleteFileW(marker.c_str());
    Expect(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kMsinfoKey, L"PATH", REG_SZ, stub_.c_str(),
                           static_cast<DWORD>((stub_.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS,
           L"cannot write the registry");
    ClickLater(control(button, PushButton));
    const bool started = WaitUntil([&] { return GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; });
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kMsinfoKey);
    Expect(started, L"\"" + button + L"\" did not start the tool the registry names");
  }

  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
  std::wstring stub_;
  Strings menuItems_;   // as the scenario lists them
  Strings shownItems_;  // as the last menu showed them, where they could be read
  bool toldMenu_ = false;
  DWORD clipboardBefore_ = 0;  // the clipboard's sequence number when the last menu opened
  HWND owner_ = nullptr;       // the window of the last press, under a message box it opens
  std::set<HWND> before_;      // the windows shown before the last press
  Strings labelsBefore_;       // the main window's labels before the last press
};

// Plays the steps; the menu's items are known before the first menu opens, from the scenario's
// menu-items step. The exit status also goes to e2e-driver-result.txt in the current folder: the
// Wine desktop that the driver runs on does not pass it on.
int Run(const std::wstring& stepsPath, const std::wstring& exe) {
  std::wstring name = L"reading the steps";
  try {
    const std::vector<Strings> steps = ReadSteps(stepsPath);
    Strings menuItems;
    for (const Strings& step : steps)
      if (step[0] == L"menu-items" && menuItems.empty()) menuItems.assign(step.begin() + 1, step.end());
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kMsinfoKey);  // the run starts without the System Information tool
    name = L"starting the program";
    Player player(exe, FolderOf(self) + L"sysinfo_stub.exe", menuItems);
    for (std::size_t i = 0; i < steps.size(); ++i) {
      if (steps[i][0] == L"case") name = steps[i].size() == 2 ? steps[i][1] : Joined(steps[i]);
      if (steps[i][0] != L"case") player.play(steps[i]);
      if (i + 1 == steps.size() || steps[i + 1][0] == L"case") std::printf("ok: %s\n", Utf8(name).c_str());
      std::fflush(stdout);
    }
    return 0;
  } catch (const std::exception& failure) {
    std::printf("FAIL: %s: %s\n", Utf8(name).c_str(), failure.what());
    return 1;
  }
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 3) std::fprintf(stderr, "usage: e2e_driver <steps> <quorvane.exe>\n");
  const int code = !argv || argc < 3 ? 2 : Run(FullPath(argv[1]), FullPath(argv[2]));
  if (FILE* f = std::fopen("e2e-driver-result.txt", "w")) {
    std::fprintf(f, "%d\n", code);
    std::fclose(f);
  }
  return code;
}
