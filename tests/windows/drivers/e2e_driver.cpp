// Plays the end-to-end scenario in the Windows program from outside, as a user would: finds its
// windows by title and its controls by caption and class, types with WM_SETTEXT, presses with
// BM_CLICK, clicks and presses keys with mouse and key messages, and reads the text that the window
// system keeps. A text box or an option button without a caption is the nearest control right of
// the control captioned with its name, as a user reads the form.
//   e2e_driver STEPS QUORVANE.EXE   STEPS: the scenario as tests/e2e/scenario.py expands it for
//                                   win32. Prints "ok: CASE" after each case; the first failure
//                                   prints "FAIL: CASE: what" and ends the run with status 1.
// The System Info stub sysinfo_stub.exe lies beside this driver.

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kTimeoutMs = 20000;
constexpr DWORD kSearchTimeoutMs = 600000;
constexpr const wchar_t* kMsinfoKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

using Strings = std::vector<std::wstring>;

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string Utf8(const std::wstring& text) {
  std::string bytes(text.size() * 3 + 1, '\0');
  bytes.resize(
      static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                                   static_cast<int>(bytes.size()), nullptr, nullptr)));
  return bytes;
}

std::wstring Wide(const std::string& bytes) {
  std::wstring text(bytes.size(), L'\0');
  text.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                           text.data(), static_cast<int>(text.size()))));
  return text;
}

[[noreturn]] void Fail(const std::wstring& what) { throw Failure(Utf8(what)); }

void Expect(bool condition, const std::wstring& what) {
  if (!condition) Fail(what);
}

void ExpectText(const std::wstring& got, const std::wstring& want, const std::wstring& what) {
  if (got != want) Fail(what + L": \"" + got + L"\", expected \"" + want + L"\"");
}

double NowMs() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Polls `ready` every few milliseconds until it holds; false after `timeoutMs`.
bool WaitUntil(const std::function<bool()>& ready, DWORD timeoutMs = kTimeoutMs) {
  const double end = NowMs() + timeoutMs;
  while (!ready()) {
    if (NowMs() > end) return false;
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
  std::wstring text;
  const std::wstring stored = StoredText(hwnd);
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] == L'&' && i + 1 < stored.size()) ++i;
    text += stored[i];
  }
  return text;
}

void Type(HWND edit, const std::wstring& text) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, kTimeoutMs,
                           &result))
    Fail(L"no answer to WM_SETTEXT");
}

// Presses a button and returns once its handler has run.
void Click(HWND button) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kSearchTimeoutMs, &result))
    Fail(L"the click on \"" + StoredText(button) + L"\" was not handled");
}

// Presses a button whose handler opens a modal window or runs long: returns at once.
void ClickLater(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

bool Checked(HWND button) {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &state);
  return state == BST_CHECKED;
}

bool Shown(HWND hwnd) { return IsWindowVisible(hwnd) != FALSE; }
bool Gone(HWND hwnd) { return !IsWindow(hwnd) || !Shown(hwnd); }

// The control that has the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

enum class Kind { Static, PushButton, CheckBox, OptionButton, GroupBox, Edit };

Kind KindOf(HWND hwnd) {
  const std::wstring cls = ClassOf(hwnd);
  if (lstrcmpiW(cls.c_str(), L"Edit") == 0) return Kind::Edit;
  if (lstrcmpiW(cls.c_str(), L"Button") != 0) return Kind::Static;
  switch (GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK) {
    case BS_GROUPBOX: return Kind::GroupBox;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: return Kind::CheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return Kind::OptionButton;
    default: return Kind::PushButton;
  }
}

bool OneOf(Kind kind, std::initializer_list<Kind> kinds) {
  for (const Kind k : kinds)
    if (k == kind) return true;
  return false;
}

std::vector<HWND> ChildrenOf(HWND top) {
  std::vector<HWND> children;
  EnumChildWindows(
      top,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

// The texts of a window's labels, in their order.
Strings LabelTexts(HWND top) {
  Strings texts;
  for (HWND child : ChildrenOf(top))
    if (KindOf(child) == Kind::Static) texts.push_back(StoredText(child));
  return texts;
}

RECT RectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

// The nearest shown control of `kinds` right of `anchor` on its line or, `under`, the one right
// under it and aligned with it on the left (a column's value under its heading); null if none.
HWND Near(HWND anchor, std::initializer_list<Kind> kinds, bool under) {
  const RECT a = RectOf(anchor);
  HWND best = nullptr;
  LONG bestGap = 0;
  for (HWND child : ChildrenOf(GetParent(anchor))) {
    const RECT r = RectOf(child);
    if (child == anchor || !OneOf(KindOf(child), kinds) || !Shown(child)) continue;
    const LONG middle = (r.top + r.bottom) / 2;
    const bool placed =
        under ? r.left >= a.left - 3 && r.left <= a.left + 3 && r.top >= a.bottom - 3 && r.top <= a.bottom + 3
              : middle >= a.top && middle < a.bottom && r.left >= a.right - 2;
    const LONG gap = under ? r.top - a.bottom : r.left - a.right;
    if (placed && (!best || gap < bestGap)) best = child, bestGap = gap;
  }
  return best;
}

// The shown top-level windows of the process, the frontmost first; of one class and title when
// given.
std::vector<HWND> TopWindows(DWORD process, const std::wstring& cls = L"", const std::wstring& title = L"") {
  struct Search {
    DWORD process;
    const std::wstring* cls;
    const std::wstring* title;
    std::vector<HWND> found;
  } search{process, &cls, &title, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM data) {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s->process && Shown(hwnd) && (s->cls->empty() || ClassOf(hwnd) == *s->cls) &&
            (s->title->empty() || StoredText(hwnd) == *s->title))
          s->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
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
    if (!Shown(child)) continue;
    if (KindOf(child) == Kind::PushButton) {
      ++buttons;
      ok = child;
    } else if (KindOf(child) == Kind::Static) {
      if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        DWORD_PTR icon = 0;
        SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &icon);
        Expect(icon == 0, L"the message \"" + title + L"\" shows an icon");
      }
      if (!StoredText(child).empty()) texts.push_back(StoredText(child));
    }
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
  const auto text = [&] {
    wchar_t read[kChars] = {};
    ReadProcessMemory(other, remoteText, read, sizeof read - sizeof(wchar_t), nullptr);
    return std::wstring(read);
  };
  DWORD_PTR result = 0;
  const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  SendMessageTimeoutW(header, HDM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &result);
  const int columns = static_cast<int>(result);
  std::wstring shown;
  for (int c = 0; c < columns; ++c) {
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = remoteText;
    item.cchTextMax = kChars;
    WriteProcessMemory(other, remote + sizeof(LVITEMW), &item, sizeof item, nullptr);
    SendMessageTimeoutW(header, HDM_GETITEMW, c, reinterpret_cast<LPARAM>(remote + sizeof(LVITEMW)), SMTO_ABORTIFHUNG,
                        kTimeoutMs, &result);
    shown += (c ? L"\t" : L"") + text();
  }
  SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &result);
  const int count = static_cast<int>(result);
  for (int r = 0; r < count; ++r) {
    for (int c = 0; c < columns; ++c) {
      LVITEMW item{};
      item.iSubItem = c;
      item.pszText = remoteText;
      item.cchTextMax = kChars;
      WriteProcessMemory(other, remote, &item, sizeof item, nullptr);
      SendMessageTimeoutW(list, LVM_GETITEMTEXTW, r, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, kTimeoutMs,
                          &result);
      shown += (c ? L"\t" : L"\n") + text();
    }
  }
  VirtualFreeEx(other, remote, 0, MEM_RELEASE);
  CloseHandle(other);
  return shown;
}

// The clipboard's text, without carriage returns; false while another program holds it open.
bool ReadClipboard(std::wstring& text) {
  if (!OpenClipboard(nullptr)) return false;
  text.clear();
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      for (const wchar_t* c = chars; *c; ++c)
        if (*c != L'\r') text += *c;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return true;
}

// Keys as the keyboard sends them, to the window in front.
void SendKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (const bool up : {false, true}) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = up ? keys.begin()[keys.size() - 1 - i] : keys.begin()[i];
      input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
      inputs.push_back(input);
    }
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }

std::wstring FullPath(const std::wstring& path) {
  wchar_t full[MAX_PATH] = {};
  GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  return full;
}

// A step: its kind and fields, "\n", "\t" and "\\" unescaped.
Strings Fields(const std::wstring& line) {
  Strings fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t bar = line.find(L'|', start);
    std::wstring raw = line.substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start);
    raw.erase(0, raw.find_first_not_of(L" \t"));
    raw.erase(raw.find_last_not_of(L" \t") + 1);
    std::wstring field;
    for (std::size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] == L'\\' && i + 1 < raw.size()) {
        const wchar_t next = raw[++i];
        field += next == L'n' ? L'\n' : next == L't' ? L'\t' : next;
      } else {
        field += raw[i];
      }
    }
    fields.push_back(field);
    if (bar == std::wstring::npos) return fields;
    start = bar + 1;
  }
}

std::vector<Strings> ReadSteps(const std::wstring& path) {
  std::ifstream file(Utf8(path), std::ios::binary);
  if (!file) Fail(L"cannot read " + path);
  const std::wstring text = Wide(std::string(std::istreambuf_iterator<char>(file), {}));
  std::vector<Strings> steps;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    if (!line.empty()) steps.push_back(Fields(line));
    start = end + 1;
  }
  return steps;
}

std::wstring Joined(const Strings& items, std::size_t from = 0) {
  std::wstring text;
  for (std::size_t i = from; i < items.size(); ++i) text += (i > from ? L" | " : L"") + items[i];
  return text;
}

class Program {
 public:
  explicit Program(const std::wstring& exe) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, FolderOf(exe).c_str(), &startup,
                        &process_))
      Fail(L"cannot start " + exe);
    main_ = WaitForWindow(process_.dwProcessId, L"QuorvaneWindow", L"Quorvane", kStartTimeoutMs);
  }
  ~Program() {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  DWORD id() const { return process_.dwProcessId; }
  HWND main() const { return main_; }
  HANDLE handle() const { return process_.hProcess; }

 private:
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

// Plays the steps in the program; a failure throws.
class Player {
 public:
  Player(Program& program, std::wstring stub, Strings menuItems)
      : p_(program), stub_(std::move(stub)), menuItems_(std::move(menuItems)), owner_(program.main()) {}

  void play(const Strings& s) {
    using Step = void (Player::*)(const Strings&);
    static const std::map<std::wstring, std::pair<Step, std::size_t>> kSteps = {
        {L"note", {&Player::note, 2}},
        {L"type", {&Player::type, 3}},
        {L"choose", {&Player::choose, 2}},
        {L"tick", {&Player::tick, 3}},
        {L"press", {&Player::press, 2}},
        {L"press-later", {&Player::pressLater, 2}},
        {L"focus", {&Player::focus, 2}},
        {L"key", {&Player::key, 2}},
        {L"focused", {&Player::focused, 2}},
        {L"chosen", {&Player::chosen, 2}},
        {L"menu", {&Player::menu, 3}},
        {L"menu-items", {&Player::menuItems, 0}},
        {L"shown", {&Player::shown, 3}},
        {L"beside", {&Player::results, 3}},
        {L"frames", {&Player::frames, 0}},
        {L"results", {&Player::results, 0}},
        {L"clipboard", {&Player::clipboard, 2}},
        {L"table", {&Player::table, 3}},
        {L"csv", {&Player::csv, 3}},
        {L"message", {&Player::message, 3}},
        {L"no-message", {&Player::noMessage, 1}},
        {L"search", {&Player::search, 2}},
        {L"stop", {&Player::stop, 3}},
        {L"close", {&Player::close, 2}},
        {L"open", {&Player::open, 2}},
        {L"closed", {&Player::closed, 2}},
        {L"quit", {&Player::quit, 1}},
        {L"sysinfo-tool", {&Player::sysinfoTool, 2}},
    };
    const auto found = kSteps.find(s[0]);
    if (found == kSteps.end()) Fail(L"no such step: " + Joined(s));
    const std::size_t fields = found->second.second;
    if (fields ? s.size() != fields : s.size() < 2) Fail(L"a step with the wrong fields: " + Joined(s));
    (this->*found->second.first)(s);
  }

 private:
  // The control named `name` in the program's shown windows: the one of `kinds` captioned so, or
  // the control next right of the one captioned so, when it is of `kinds`; a text box there goes
  // first, as it takes the name of the control on its left. An option button found so draws no
  // text: its caption has no room.
  HWND control(const std::wstring& name, std::initializer_list<Kind> kinds) const {
    std::vector<HWND> named;
    for (HWND window : TopWindows(p_.id()))
      for (HWND child : ChildrenOf(window))
        if (Caption(child) == name && KindOf(child) != Kind::Edit) named.push_back(child);
    const auto next = [](HWND c) {
      return Near(c, {Kind::Static, Kind::PushButton, Kind::CheckBox, Kind::OptionButton, Kind::Edit}, false);
    };
    if (OneOf(Kind::Edit, kinds))
      for (HWND c : named)
        if (HWND box = next(c); box && KindOf(box) == Kind::Edit) return box;
    for (HWND c : named)
      if (OneOf(KindOf(c), kinds)) return c;
    for (HWND c : named) {
      if (HWND right = next(c); right && OneOf(KindOf(right), kinds)) {
        if (KindOf(right) == Kind::OptionButton)
          ExpectText(StoredText(right), L"", L"the text of the option button right of \"" + name + L"\"");
        return right;
      }
    }
    Fail(L"no control \"" + name + L"\"");
  }

  // The window the last press opened: a window of the program's that was not shown before it.
  HWND opened() const {
    HWND found = nullptr;
    Expect(WaitUntil([&] {
             for (HWND window : TopWindows(p_.id(), L"QuorvaneWindow"))
               if (!before_.count(window)) found = window;
             return found != nullptr;
           }),
           L"no window opened");
    return found;
  }

  // Waits until one of the labels of `window` changes while it is shown; false if it goes first.
  static bool Counts(HWND window, DWORD timeoutMs) {
    const Strings first = LabelTexts(window);
    bool counted = false;
    WaitUntil(
        [&] {
          const bool changed = LabelTexts(window) != first;
          counted = changed && !Gone(window);
          return counted || Gone(window);
        },
        timeoutMs);
    return counted;
  }

  void note(const Strings& s) { std::printf("note: %s\n", Utf8(s[1]).c_str()); }

  void type(const Strings& s) { Type(control(s[1], {Kind::Edit}), s[2]); }

  void choose(const Strings& s) { Click(control(s[1], {Kind::OptionButton})); }

  void tick(const Strings& s) {
    Expect(s[2] == L"on" || s[2] == L"off", L"a check box is ticked on or off, not " + s[2]);
    const HWND box = control(s[1], {Kind::CheckBox});
    if (Checked(box) != (s[2] == L"on")) Click(box);
  }

  void press(const Strings& s) { Click(control(s[1], {Kind::PushButton})); }

  void pressLater(const Strings& s) {
    const HWND button = control(s[1], {Kind::PushButton});
    owner_ = GetAncestor(button, GA_ROOT);
    before_.clear();
    for (HWND window : TopWindows(p_.id())) before_.insert(window);
    labelsBefore_ = LabelTexts(p_.main());
    ClickLater(button);
  }

  // A click with the left mouse button, as the control receives it.
  void focus(const Strings& s) {
    const HWND target = control(s[1], {Kind::Edit, Kind::OptionButton, Kind::CheckBox, Kind::PushButton});
    PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    Expect(WaitUntil([&] { return FocusOf(p_.main()) == target; }), L"a click does not focus \"" + s[1] + L"\"");
  }

  // The key goes to the focused control, once a shown window that takes input holds the focus.
  void key(const Strings& s) {
    static const std::map<std::wstring, WPARAM> kKeys = {
        {L"Tab", VK_TAB}, {L"Up", VK_UP}, {L"Down", VK_DOWN}, {L"Enter", VK_RETURN}, {L"Escape", VK_ESCAPE}};
    const auto key = kKeys.find(s[1]);
    if (key == kKeys.end()) Fail(L"no such key: " + s[1]);
    HWND target = nullptr;
    Expect(WaitUntil([&] {
             target = FocusOf(p_.main());
             const HWND window = target ? GetAncestor(target, GA_ROOT) : nullptr;
             return window && Shown(window) && IsWindowEnabled(window);
           }),
           L"no window of the program has the focus");
    PostMessageW(target, WM_KEYDOWN, key->second, 0);
  }

  void focused(const Strings& s) {
    const HWND target = control(s[1], {Kind::Edit, Kind::OptionButton, Kind::CheckBox, Kind::PushButton});
    Expect(WaitUntil([&] { return FocusOf(p_.main()) == target; }),
           L"the focus is not on \"" + s[1] + L"\" but on the " + ClassOf(FocusOf(p_.main())) + L" \"" +
               StoredText(FocusOf(p_.main())) + L"\"");
  }

  void chosen(const Strings& s) {
    const HWND option = control(s[1], {Kind::OptionButton});
    Expect(WaitUntil([&] { return Checked(option); }), L"\"" + s[1] + L"\" is not chosen");
  }

  // Opens the main window's context menu, reads its items where Wine lets another process read
  // them (else it takes them from the scenario's menu-items step), and chooses one with the keys.
  void menu(const Strings& s) {
    owner_ = p_.main();
    clipboardBefore_ = GetClipboardSequenceNumber();
    if (s[1] == L"right-click") {
      PostMessageW(p_.main(), WM_RBUTTONUP, 0, MAKELPARAM(40, 400));
    } else if (s[1] == L"Shift+F10") {
      SetForegroundWindow(p_.main());
      SendKeys({VK_SHIFT, VK_F10});
    } else if (s[1] == L"Menu key") {
      const HWND focus = FocusOf(p_.main());
      PostMessageW(focus && GetAncestor(focus, GA_ROOT) == p_.main() ? focus : p_.main(), WM_KEYDOWN, VK_APPS, 0);
    } else {
      Fail(L"no way to open the menu by " + s[1]);
    }
    const HWND menu = WaitForWindow(p_.id(), L"#32768", L"");
    DWORD_PTR handle = 0;
    SendMessageTimeoutW(menu, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &handle);
    shownItems_.clear();
    const auto hmenu = reinterpret_cast<HMENU>(handle);
    for (int i = 0; hmenu && i < GetMenuItemCount(hmenu); ++i) {
      wchar_t caption[64] = {};
      GetMenuStringW(hmenu, static_cast<UINT>(i), caption, 64, MF_BYPOSITION);
      shownItems_.push_back(caption);
    }
    const Strings& items = shownItems_.empty() ? menuItems_ : shownItems_;
    std::size_t item = 0;
    while (item < items.size() && items[item].substr(0, items[item].find(L'\t')) != s[2]) ++item;
    Expect(item < items.size(), L"the menu has no item \"" + s[2] + L"\"");
    for (std::size_t i = 0; i <= item; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    Expect(WaitUntil([&] { return Gone(menu); }), L"the context menu stays open");
  }

  void menuItems(const Strings& s) {
    if (!shownItems_.empty()) {
      ExpectText(Joined(shownItems_), Joined(s, 1), L"the context menu's items");
    } else if (!toldMenu_) {
      std::printf("note: Wine keeps a process's menus to itself: the items are known by what each one does\n");
      toldMenu_ = true;
    }
  }

  void shown(const Strings& s) {
    const HWND window = WaitForWindow(p_.id(), L"QuorvaneWindow", s[1]);
    for (HWND child : ChildrenOf(window))
      if (KindOf(child) == Kind::Static && Shown(child) && StoredText(child) == s[2]) return;
    Fail(L"the window \"" + s[1] + L"\" shows no \"" + s[2] + L"\"");
  }

  // Each heading's value: right of a heading that ends with a colon; under one without, where a
  // label sits right under it, else right of it too.
  void results(const Strings& s) {
    Expect(s.size() % 2 == 1, L"a heading without its value: " + Joined(s));
    std::vector<std::pair<HWND, std::wstring>> values;
    for (std::size_t i = 1; i + 1 < s.size(); i += 2) {
      HWND heading = nullptr;
      for (HWND child : ChildrenOf(p_.main()))
        if (KindOf(child) == Kind::Static && Shown(child) &&
            (StoredText(child) == s[i] || StoredText(child) == s[i] + L":"))
          heading = child;
      Expect(heading != nullptr, L"no heading \"" + s[i] + L"\"");
      HWND value = StoredText(heading).back() == L':' ? nullptr : Near(heading, {Kind::Static}, true);
      if (!value) value = Near(heading, {Kind::Static}, false);
      Expect(value != nullptr, L"no value beside \"" + s[i] + L"\"");
      values.push_back({value, s[i + 1]});
    }
    WaitUntil([&] {
      for (const auto& [value, want] : values)
        if (StoredText(value) != want) return false;
      return true;
    });
    for (std::size_t i = 0; i < values.size(); ++i)
      ExpectText(StoredText(values[i].first), values[i].second, s[2 * i + 1]);
  }

  // The frames, each followed by those that lie in it, as a screen reader walks them; the window
  // stacks its frames in the reverse of their order.
  void frames(const Strings& s) {
    std::vector<HWND> frames;
    for (HWND child : ChildrenOf(p_.main()))
      if (KindOf(child) == Kind::GroupBox) frames.insert(frames.begin(), child);
    const auto inside = [](HWND inner, HWND outer) {
      const RECT i = RectOf(inner), o = RectOf(outer);
      return inner != outer && i.left >= o.left && i.right <= o.right && i.top >= o.top && i.bottom <= o.bottom;
    };
    const auto holder = [&](HWND frame) {
      HWND innermost = nullptr;
      for (HWND outer : frames)
        if (inside(frame, outer) && (!innermost || inside(outer, innermost))) innermost = outer;
      return innermost;
    };
    Strings shown;
    const std::function<void(HWND)> walk = [&](HWND in) {
      for (HWND frame : frames) {
        if (holder(frame) != in) continue;
        shown.push_back(Caption(frame));
        walk(frame);
      }
    };
    walk(nullptr);
    ExpectText(Joined(shown), Joined(s, 1), L"the frames");
  }

  // Read once it has been written since the last menu was opened: a read holds the clipboard, and
  // the program cannot write it meanwhile.
  void clipboard(const Strings& s) {
    std::wstring text;
    DWORD read = clipboardBefore_;
    Expect(WaitUntil([&] {
             const DWORD written = GetClipboardSequenceNumber();
             if (written == read || !ReadClipboard(text)) return false;
             read = written;
             return text == s[1];
           }),
           L"the clipboard holds \"" + text + L"\", expected \"" + s[1] + L"\"");
  }

  void table(const Strings& s) {
    const HWND window = WaitForWindow(p_.id(), L"QuorvaneWindow", s[1]);
    HWND list = nullptr;
    for (HWND child : ChildrenOf(window))
      if (lstrcmpiW(ClassOf(child).c_str(), WC_LISTVIEWW) == 0) list = child;
    Expect(list != nullptr, L"no table in the window " + s[1]);
    ExpectText(ListViewText(p_.id(), list), s[2], L"the table of the window " + s[1]);
  }

  // "Save..." in the window, a file name in the save dialog, and the file it writes, with the line
  // ends of Windows; then the window is closed.
  void csv(const Strings& s) {
    const HWND window = WaitForWindow(p_.id(), L"QuorvaneWindow", s[1]);
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"\\e2e-driver-saved.csv";
    DeleteFileW(path.c_str());
    ClickLater(control(L"Save...", {Kind::PushButton}));
    const HWND dialog = WaitForWindow(p_.id(), L"#32770", L"");
    HWND name = GetDlgItem(dialog, edt1);
    if (!name) name = GetDlgItem(dialog, cmb13);
    Type(name, path);
    ClickLater(GetDlgItem(dialog, IDOK));
    DWORD_PTR ignored = 0;
    Expect(WaitUntil([&] { return Gone(dialog) && IsWindowEnabled(window); }) &&
               SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored),
           L"the save dialog of the window " + s[1] + L" stays");
    std::ifstream file(Utf8(path), std::ios::binary);
    Expect(file.good(), L"\"Save...\" in the window " + s[1] + L" wrote no file");
    std::wstring want;
    for (const wchar_t c : s[2]) want += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    ExpectText(Wide(std::string(std::istreambuf_iterator<char>(file), {})), want, L"the file saved from " + s[1]);
    close({L"close", s[1]});
  }

  void message(const Strings& s) { AnswerMessageBox(p_.id(), owner_, s[1], s[2]); }

  void noMessage(const Strings&) { Expect(TopWindows(p_.id(), L"#32770").empty(), L"a message box is shown"); }

  void search(const Strings& s) {
    Expect(s[1] == L"counting", L"no such search: " + s[1]);
    const HWND working = opened();
    Expect(Counts(working, kSearchTimeoutMs), L"the Working window never counted");
    Expect(WaitUntil([&] { return Gone(working); }, kSearchTimeoutMs), L"the Working window stays after the search");
  }

  // Stops the search by Esc or the close box once it counts: the window goes within the time
  // given, the main window takes input again and no label of it changed.
  void stop(const Strings& s) {
    const HWND working = opened();
    Expect(Counts(working, kTimeoutMs), L"the Working window does not count");
    const double start = NowMs();
    if (s[1] == L"Esc")
      PostMessageW(working, WM_KEYDOWN, VK_ESCAPE, 0);
    else if (s[1] == L"close box")
      PostMessageW(working, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
      Fail(L"no way to stop a search by " + s[1]);
    const DWORD limit = static_cast<DWORD>(std::stoul(s[2]));
    Expect(WaitUntil([&] { return Gone(working); }, limit),
           L"the Working window stays " + s[2] + L" ms after the stop by " + s[1]);
    const double gone = NowMs() - start;
    // The main window answers a message once its thread is back in its message loop.
    DWORD_PTR ignored = 0;
    Expect(SendMessageTimeoutW(p_.main(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored) != 0,
           L"the main window does not answer after the stop");
    std::printf("stopped by %s: the Working window gone after %.0f ms, the main window answers after %.0f ms\n",
                Utf8(s[1]).c_str(), gone, NowMs() - start);
    const Strings labels = LabelTexts(p_.main());
    for (std::size_t i = 0; i < labels.size() && i < labelsBefore_.size(); ++i)
      ExpectText(labels[i], labelsBefore_[i], L"a label of the main window after the stop");
  }

  void close(const Strings& s) {
    const HWND window = WaitForWindow(p_.id(), L"QuorvaneWindow", s[1]);
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    Expect(WaitUntil([&] { return Gone(window); }), L"the window " + s[1] + L" stays");
  }

  void open(const Strings& s) { WaitForWindow(p_.id(), L"QuorvaneWindow", s[1]); }

  void closed(const Strings& s) {
    Expect(WaitUntil([&] { return TopWindows(p_.id(), L"QuorvaneWindow", s[1]).empty(); }),
           L"the window " + s[1] + L" stays");
  }

  void quit(const Strings&) {
    PostMessageW(p_.main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Expect(WaitForSingleObject(p_.handle(), kTimeoutMs) == WAIT_OBJECT_0,
           L"the program still runs after its last window closed");
    DWORD code = 1;
    GetExitCodeProcess(p_.handle(), &code);
    Expect(code == 0, L"the program ended with exit code " + std::to_wstring(code));
  }

  // With the registry naming the System Information tool (the stub beside this driver), a click
  // on the button starts it; the registry is without it again afterwards.
  void sysinfoTool(const Strings& s) {
    const std::wstring marker = FolderOf(stub_) + L"sysinfo-started.txt";
    DeleteFileW(marker.c_str());
    HKEY opened = nullptr;
    Expect(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kMsinfoKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) ==
               ERROR_SUCCESS,
           L"cannot write the registry");
    RegSetValueExW(opened, L"PATH", 0, REG_SZ, reinterpret_cast<const BYTE*>(stub_.c_str()),
                   static_cast<DWORD>((stub_.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(opened);
    ClickLater(control(s[1], {Kind::PushButton}));
    const bool started = WaitUntil([&] { return GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; });
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kMsinfoKey);
    Expect(started, L"\"" + s[1] + L"\" did not start the tool the registry names");
  }

  Program& p_;
  std::wstring stub_;
  Strings menuItems_;   // as the scenario lists them
  Strings shownItems_;  // as the last menu showed them, where they could be read
  bool toldMenu_ = false;
  DWORD clipboardBefore_ = 0;  // the clipboard's sequence number when the last menu opened
  HWND owner_;                 // the window of the last press, under a message box it opens
  std::set<HWND> before_;      // the windows shown before the last press
  Strings labelsBefore_;       // the main window's labels before the last press
};

int Run(const std::wstring& stepsPath, const std::wstring& exe) {
  const std::vector<Strings> steps = ReadSteps(stepsPath);
  Strings menuItems;
  for (const Strings& step : steps)
    if (step[0] == L"menu-items" && menuItems.empty()) menuItems.assign(step.begin() + 1, step.end());
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  // The registry starts without the System Information tool.
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, kMsinfoKey);
  std::wstring name = L"starting the program";
  try {
    Program program(exe);
    Player player(program, FolderOf(self) + L"sysinfo_stub.exe", menuItems);
    for (std::size_t i = 0; i < steps.size(); ++i) {
      if (steps[i][0] == L"case") {
        Expect(steps[i].size() == 2, L"a case without its name");
        name = steps[i][1];
      } else {
        player.play(steps[i]);
      }
      if (i + 1 == steps.size() || steps[i + 1][0] == L"case") std::printf("ok: %s\n", Utf8(name).c_str());
      std::fflush(stdout);
    }
  } catch (const std::exception& failure) {
    std::printf("FAIL: %s: %s\n", Utf8(name).c_str(), failure.what());
    return 1;
  }
  return 0;
}

}  // namespace

// The exit status also goes to e2e-driver-result.txt in the current folder: the Wine desktop that the
// driver runs on does not pass it on.
int Finish(int code) {
  if (FILE* f = std::fopen("e2e-driver-result.txt", "w")) {
    std::fprintf(f, "%d\n", code);
    std::fclose(f);
  }
  return code;
}

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 3) {
    std::fprintf(stderr, "usage: e2e_driver <steps> <quorvane.exe>\n");
    return Finish(2);
  }
  try {
    return Finish(Run(FullPath(argv[1]), FullPath(argv[2])));
  } catch (const std::exception& failure) {
    std::printf("FAIL: %s\n", failure.what());
    return Finish(1);
  }
}
