// Drives the Windows program from outside, as a user would: finds its windows and controls by
// caption and class, types with WM_SETTEXT, presses with BM_CLICK, clicks and presses keys with
// the mouse and key messages, and reads with WM_GETTEXT.
//   e2e_driver <quorvane.exe>   the end-to-end checks; exit 0 when all pass
// The System Info stub sysinfo_stub.exe lies beside this driver.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kTimeoutMs = 20000;
constexpr DWORD kSearchTimeoutMs = 600000;

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(const std::wstring& what) {
  char text[1024] = {};
  WideCharToMultiByte(CP_UTF8, 0, what.c_str(), -1, text, sizeof text - 1, nullptr, nullptr);
  throw Failure(text);
}

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

// Presses a button whose handler opens a modal window: returns at once.
void ClickLater(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

bool Checked(HWND button) {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &state);
  return state == BST_CHECKED;
}

bool Shown(HWND hwnd) { return IsWindowVisible(hwnd) != FALSE; }

// The control that has the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

// A click with the left mouse button, as the control receives it.
void MouseClick(HWND control) {
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
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

RECT RectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

// The control of `kind` whose caption is `text`.
HWND Find(HWND top, Kind kind, const std::wstring& text) {
  for (HWND child : ChildrenOf(top))
    if (KindOf(child) == kind && StoredText(child) == text) return child;
  Fail(L"no control \"" + text + L"\" in the window \"" + StoredText(top) + L"\"");
}

// The nearest shown control of `kind` right of `anchor` on its line, or (below) under it, aligned
// on the left: how a user reads a form.
HWND Beside(HWND anchor, Kind kind, bool below) {
  const RECT a = RectOf(anchor);
  HWND best = nullptr;
  LONG bestGap = 0;
  for (HWND child : ChildrenOf(GetParent(anchor))) {
    const RECT r = RectOf(child);
    if (child == anchor || KindOf(child) != kind || (!below && !Shown(child))) continue;
    const LONG middle = (r.top + r.bottom) / 2;
    const bool placed = below ? r.left >= a.left - 3 && r.left <= a.left + 3 && r.top >= a.bottom - 2
                              : middle >= a.top && middle < a.bottom && r.left >= a.right - 2;
    const LONG gap = below ? r.top - a.bottom : r.left - a.right;
    if (placed && (!best || gap < bestGap)) best = child, bestGap = gap;
  }
  if (!best) Fail(L"nothing " + std::wstring(below ? L"below" : L"right of") + L" \"" + StoredText(anchor) + L"\"");
  return best;
}
HWND RightOf(HWND anchor, Kind kind) { return Beside(anchor, kind, false); }
HWND Below(HWND anchor, Kind kind) { return Beside(anchor, kind, true); }

// A shown top-level window of the process by class and title (an empty title: any).
HWND TopWindow(DWORD process, const std::wstring& cls, const std::wstring& title) {
  struct Search {
    DWORD process;
    const std::wstring* cls;
    const std::wstring* title;
    HWND found = nullptr;
  } search{process, &cls, &title};
  EnumWindows(
      [](HWND hwnd, LPARAM data) {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s->process && Shown(hwnd) && ClassOf(hwnd) == *s->cls &&
            (s->title->empty() || StoredText(hwnd) == *s->title)) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(DWORD process, const std::wstring& cls, const std::wstring& title, DWORD timeoutMs = kTimeoutMs) {
  HWND found = nullptr;
  if (!WaitUntil([&] { return (found = TopWindow(process, cls, title)) != nullptr; }, timeoutMs))
    Fail(L"the window \"" + title + L"\" did not appear");
  return found;
}

// Reads the shown message box, checks its title and text, an OK button and no icon, and closes it.
void AnswerMessageBox(DWORD process, HWND owner, const std::wstring& title, const std::wstring& text) {
  const HWND box = WaitForWindow(process, L"#32770", title);
  Expect(!IsWindowEnabled(owner), L"the window under the message \"" + title + L"\" can still be used");
  std::vector<std::wstring> texts;
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
  Expect(WaitUntil([&] { return !IsWindow(box) || !Shown(box); }), L"the message \"" + title + L"\" did not close");
  Expect(WaitUntil([&] { return IsWindowEnabled(owner) != FALSE; }), L"the window stays disabled after the message");
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }

std::wstring FullPath(const std::wstring& path) {
  wchar_t full[MAX_PATH] = {};
  GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  return full;
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

  HWND control(Kind kind, const std::wstring& text) const { return Find(main_, kind, text); }
  HWND label(const std::wstring& text) const { return control(Kind::Static, text); }
  HWND option(const std::wstring& text) const { return control(Kind::OptionButton, text); }
  HWND check(const std::wstring& text) const { return control(Kind::CheckBox, text); }
  HWND button(const std::wstring& text) const { return control(Kind::PushButton, text); }
  // The result that the window shows right of a heading.
  std::wstring result(const std::wstring& heading) const { return StoredText(RightOf(label(heading), Kind::Static)); }
  // A quest part's option button, right of the label that names it.
  HWND questPart(const std::wstring& name) const { return RightOf(label(name), Kind::OptionButton); }

 private:
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

// ---- The checks --------------------------------------------------------------------------------

void Calculation(Program& p) {
  ExpectText(p.result(L"Level Reached:"), L"Click Calculate", L"Level Reached before any calculation");
  Expect(Checked(p.questPart(L"Give Rings for XP")) && Checked(RightOf(p.label(L"Good"), Kind::OptionButton)),
         L"the window does not start with rings for Good");
  Type(RightOf(p.option(L"Character XP:"), Kind::Edit), L"31000000");
  Type(RightOf(p.label(L"Scalps Owned"), Kind::Edit), L"5000");
  // A click on an option button reaches the handlers, which choose it (the rules have their own tests).
  Click(p.questPart(L"Give Books for XP"));
  Expect(Checked(p.questPart(L"Give Books for XP")), L"a click does not choose books");
  Click(p.button(L"Calculate"));
  // The option buttons too narrow for a caption draw none: no letter of a name shows beside them.
  for (const wchar_t* name : {L"Give Maces for XP", L"Give Books for XP", L"Good", L"Evil"})
    ExpectText(StoredText(RightOf(p.label(name), Kind::OptionButton)), L"",
               L"the text of the button right of " + std::wstring(name));
  // The figures quorvane-cli gives for --xp 31000000 --scalps 5000 --part books.
  ExpectText(p.result(L"Level Reached:"), L"76", L"Level Reached");
  ExpectText(p.result(L"Exact XP:"), L"127.315.000", L"Exact XP");
  ExpectText(p.result(L"XP gained:"), L"96.315.000", L"XP gained");
  ExpectText(p.result(L"XP to next level:"), L"646.114", L"XP to next level");
  ExpectText(StoredText(Below(p.label(L"Rings Remained"), Kind::Static)), L"13", L"Rings Remained");
}

void EmptyScalps(Program& p) {
  Type(RightOf(p.label(L"Scalps Owned"), Kind::Edit), L"");
  ClickLater(p.button(L"Calculate"));
  AnswerMessageBox(p.id(), p.main(), L"No Data In Fields", L"You have not typed any number of scalps.");
}

// A search with the Working window shown: it appears, counts, and the scalps needed arrive.
void SearchWithWorkingWindow(Program& p) {
  Click(p.check(L"Lvl to reach:"));
  Expect(Shown(p.label(L"Scalps Needed")), L"the heading does not read \"Scalps Needed\" in a search");
  Click(p.questPart(L"Give Rings for XP"));
  Type(RightOf(p.option(L"Character XP:"), Kind::Edit), L"25227500");
  Type(RightOf(p.check(L"Lvl to reach:"), Kind::Edit), L"150");
  const HWND needed = RightOf(p.label(L"Scalps Needed"), Kind::Static);
  ClickLater(p.button(L"Calculate"));
  const HWND working = WaitForWindow(p.id(), L"QuorvaneWindow", L"Working...");
  const HWND counter = Below(Find(working, Kind::Static, L"Currently checking:"), Kind::Static);
  bool counted = false;
  Expect(WaitUntil(
             [&] {
               if (IsWindow(counter) && StoredText(counter) != L"0" && !StoredText(counter).empty()) counted = true;
               return !IsWindow(working) || !Shown(working);
             },
             kSearchTimeoutMs),
         L"the Working window stays after the search");
  Expect(counted, L"the Working window never showed the scalps being tried");
  // quorvane-cli --xp 25227500 --target 150 --part rings
  Expect(WaitUntil([&] { return StoredText(needed) == L"238925"; }),
         L"Scalps Needed reads \"" + StoredText(needed) + L"\", expected \"238925\"");
  ExpectText(p.result(L"Level Reached:"), L"150", L"Level Reached by the search");
}

// The longest search, repainting at every candidate, stopped by Esc and then by the close box: the
// Working window goes at once, nothing further is written, and the main window takes input.
void StopSearch(Program& p) {
  const HWND update = p.check(L"Update window after:");
  if (Checked(update)) Click(update);
  Type(RightOf(p.check(L"Lvl to reach:"), Kind::Edit), L"189");
  const HWND needed = RightOf(p.label(L"Scalps Needed"), Kind::Static);
  const std::wstring before = StoredText(needed);
  for (const bool closeBox : {false, true}) {
    ClickLater(p.button(L"Calculate"));
    const HWND working = WaitForWindow(p.id(), L"QuorvaneWindow", L"Working...");
    Sleep(300);
    const double start = NowMs();
    if (closeBox)
      PostMessageW(working, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
      PostMessageW(working, WM_KEYDOWN, VK_ESCAPE, 0);
    Expect(WaitUntil([&] { return !IsWindow(working) || !Shown(working); }, 5000),
           L"the Working window stays after the stop");
    const double gone = NowMs() - start;
    // The main window answers a message once its thread is back in its message loop.
    DWORD_PTR ignored = 0;
    Expect(SendMessageTimeoutW(p.main(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored) != 0,
           L"the main window does not answer after the stop");
    const double ready = NowMs() - start;
    std::printf("stopped by %s: the Working window gone after %.0f ms, the main window answers after %.0f ms\n",
                closeBox ? "the close box" : "Esc", gone, ready);
    ExpectText(StoredText(needed), before, L"Scalps Needed after the stop");
    Expect(TopWindow(p.id(), L"#32770", L"") == nullptr, L"a message box came after the stop");
  }
  Click(update);
}

void AboutBox(Program& p, const std::wstring& stub) {
  const wchar_t* msinfoKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, msinfoKey);
  Click(p.button(L"About..."));
  const HWND about = WaitForWindow(p.id(), L"QuorvaneWindow", L"About Quorvane");
  Find(about, Kind::Static, L"Version 3.0.0");
  const HWND sysInfo = Find(about, Kind::PushButton, L"&System Info...");

  // Without the registry values: the message.
  ClickLater(sysInfo);
  AnswerMessageBox(p.id(), about, L"Quorvane", L"System Information Is Unavailable At This Time");

  // With them: the tool starts, and no message comes.
  const std::wstring marker = FolderOf(stub) + L"sysinfo-started.txt";
  DeleteFileW(marker.c_str());
  HKEY opened = nullptr;
  Expect(RegCreateKeyExW(HKEY_LOCAL_MACHINE, msinfoKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) ==
             ERROR_SUCCESS,
         L"cannot write the registry");
  RegSetValueExW(opened, L"PATH", 0, REG_SZ, reinterpret_cast<const BYTE*>(stub.c_str()),
                 static_cast<DWORD>((stub.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(opened);
  Click(sysInfo);
  const bool started = WaitUntil([&] { return GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; });
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, msinfoKey);
  Expect(started, L"System Info... did not start the tool the registry names");
  Expect(!TopWindow(p.id(), L"#32770", L"Quorvane"), L"a message came although the tool started");

  // Esc presses OK, the cancel button; Enter presses it too, the default button that has the focus.
  for (const WPARAM key : {VK_ESCAPE, VK_RETURN}) {
    if (key == VK_RETURN) Click(p.button(L"About..."));
    const HWND box = WaitForWindow(p.id(), L"QuorvaneWindow", L"About Quorvane");
    HWND focus = nullptr;
    Expect(WaitUntil([&] { return (focus = FocusOf(box)) != nullptr && GetAncestor(focus, GA_ROOT) == box; }),
           L"the About box has no focus");
    PostMessageW(focus, WM_KEYDOWN, key, 0);
    Expect(WaitUntil([&] { return !IsWindow(box) || !Shown(box); }),
           std::wstring(key == VK_ESCAPE ? L"Esc" : L"Enter") + L" does not close the About box");
  }
}

void Keyboard(Program& p) {
  // Tab from "Character XP:"'s box reaches the scalps box, in the window's own order.
  const HWND xp = RightOf(p.option(L"Character XP:"), Kind::Edit);
  Click(p.check(L"Lvl to reach:"));  // back to the scalps owned
  const HWND scalps = RightOf(p.label(L"Scalps Owned"), Kind::Edit);
  MouseClick(xp);
  Expect(WaitUntil([&] { return FocusOf(p.main()) == xp; }), L"a click does not focus the XP box");
  PostMessageW(xp, WM_KEYDOWN, VK_TAB, 0);
  Expect(WaitUntil([&] { return FocusOf(p.main()) == scalps; }), L"Tab from the XP box does not reach the scalps box");

  // The arrows move along "Quest parts" in its order on the screen, wrapping, and choose the part
  // they reach.
  const HWND maces = p.questPart(L"Give Maces for XP");
  const struct {
    WPARAM key;
    const wchar_t* part;
  } moves[] = {{VK_UP, L"Give Rings for XP"}, {VK_DOWN, L"Give Belts for XP"}};
  for (const auto& move : moves) {
    MouseClick(maces);
    Expect(WaitUntil([&] { return FocusOf(p.main()) == maces && Checked(maces); }), L"a click does not choose maces");
    const HWND target = p.questPart(move.part);
    PostMessageW(maces, WM_KEYDOWN, move.key, 0);
    Expect(WaitUntil([&] { return FocusOf(p.main()) == target && Checked(target) && !Checked(maces); }),
           std::wstring(move.key == VK_UP ? L"Up" : L"Down") + L" from maces does not choose \"" + move.part + L"\"");
  }
}

// ---- The context menu --------------------------------------------------------------------------

using Rows = std::vector<std::vector<std::wstring>>;

// What quorvane-cli.exe prints to standard output for these arguments, without carriage returns.
std::wstring CliOutput(const std::wstring& cli, const std::wstring& arguments) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) Fail(L"no pipe for quorvane-cli");
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  std::wstring line = L"\"" + cli + L"\" " + arguments;
  if (!CreateProcessW(cli.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &process))
    Fail(L"cannot start " + cli);
  CloseHandle(write);
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(read);
  WaitForSingleObject(process.hProcess, kTimeoutMs);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::wstring text(bytes.size(), L'\0');
  text.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                           text.data(), static_cast<int>(text.size()))));
  std::wstring plain;
  for (const wchar_t c : text)
    if (c != L'\r') plain += c;
  return plain;
}

// The rows of an aligned table that quorvane-cli prints: the way names hold blanks, and a value
// with its unit ("0M gp") is one cell.
Rows CliRows(const std::wstring& text, bool ways) {
  Rows rows;
  std::size_t start = text.find(L'\n');
  while (start != std::wstring::npos && start + 1 < text.size()) {
    const std::size_t end = text.find(L'\n', start + 1);
    std::wstring line = text.substr(start + 1, end == std::wstring::npos ? std::wstring::npos : end - start - 1);
    start = end;
    std::vector<std::wstring> cells;
    if (ways) {
      for (const wchar_t* name : {L"rings good", L"rings evil", L"sell maces", L"maces", L"belts", L"books"}) {
        if (line.rfind(name, 0) != 0) continue;
        cells.push_back(name);
        line = line.substr(wcslen(name));
        break;
      }
    }
    std::size_t at = 0;
    while ((at = line.find_first_not_of(L' ', at)) != std::wstring::npos) {
      const std::size_t after = line.find(L' ', at);
      const std::wstring word = line.substr(at, after == std::wstring::npos ? std::wstring::npos : after - at);
      if (word == L"gp" && !cells.empty())
        cells.back() += L" gp";
      else
        cells.push_back(word);
      at = after;
    }
    if (ways) cells.emplace_back();  // the message column, empty
    rows.push_back(cells);
  }
  return rows;
}

// The headings and rows of a list view in the program's process, as a screen reader reads them.
Rows ListViewRows(DWORD process, HWND list) {
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
  Rows rows(1);
  for (int c = 0; c < columns; ++c) {
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = remoteText;
    item.cchTextMax = kChars;
    WriteProcessMemory(other, remote + sizeof(LVITEMW), &item, sizeof item, nullptr);
    SendMessageTimeoutW(header, HDM_GETITEMW, c, reinterpret_cast<LPARAM>(remote + sizeof(LVITEMW)), SMTO_ABORTIFHUNG,
                        kTimeoutMs, &result);
    rows[0].push_back(text());
  }
  SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &result);
  const int count = static_cast<int>(result);
  for (int r = 0; r < count; ++r) {
    rows.emplace_back();
    for (int c = 0; c < columns; ++c) {
      LVITEMW item{};
      item.iSubItem = c;
      item.pszText = remoteText;
      item.cchTextMax = kChars;
      WriteProcessMemory(other, remote, &item, sizeof item, nullptr);
      SendMessageTimeoutW(list, LVM_GETITEMTEXTW, r, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, kTimeoutMs,
                          &result);
      rows.back().push_back(text());
    }
  }
  VirtualFreeEx(other, remote, 0, MEM_RELEASE);
  CloseHandle(other);
  return rows;
}

std::wstring Joined(const Rows& rows) {
  std::wstring text;
  for (const auto& row : rows) {
    for (std::size_t c = 0; c < row.size(); ++c) text += (c ? L"|" : L"") + row[c];
    text += L"\n";
  }
  return text;
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      for (const wchar_t* c = chars; *c; ++c)
        if (*c != L'\r') text += *c;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// Opens the main window's context menu with a right-click or the Menu key in the XP box, checks
// its items and chooses one with the keys.
void ChooseFromMenu(Program& p, bool rightClick, int item) {
  if (rightClick) {
    PostMessageW(p.main(), WM_RBUTTONUP, 0, MAKELPARAM(40, 400));
  } else {
    PostMessageW(RightOf(p.option(L"Character XP:"), Kind::Edit), WM_KEYDOWN, VK_APPS, 0);
  }
  const HWND menu = WaitForWindow(p.id(), L"#32768", L"");
  DWORD_PTR handle = 0;
  SendMessageTimeoutW(menu, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &handle);
  if (const auto hmenu = reinterpret_cast<HMENU>(handle); hmenu && GetMenuItemCount(hmenu) > 0) {
    std::wstring items;
    for (int i = 0; i < GetMenuItemCount(hmenu); ++i) {
      wchar_t caption[64] = {};
      GetMenuStringW(hmenu, static_cast<UINT>(i), caption, 64, MF_BYPOSITION);
      items += (i ? L"|" : L"") + std::wstring(caption);
    }
    ExpectText(items, L"Copy Results\tCtrl+C|Plan...|Compare...", L"the context menu's items");
  } else if (static bool told = false; !told) {
    // Wine keeps a process's menus to itself: the items are known here by what each one does.
    std::printf("the context menu's captions cannot be read from another process\n");
    told = true;
  }
  for (int i = 0; i <= item; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  Expect(WaitUntil([&] { return !IsWindow(menu) || !Shown(menu); }), L"the context menu stays open");
}

// On the inputs of Calculation: the clipboard, the Plan and Compare windows against quorvane-cli,
// and the message of a bad input.
void ContextMenu(Program& p, const std::wstring& cli) {
  ChooseFromMenu(p, true, 0);
  const std::wstring results = CliOutput(cli, L"--xp 31000000 --scalps 5000 --part books");
  Expect(WaitUntil([&] { return ClipboardText() == results; }),
         L"Copy Results put \"" + ClipboardText() + L"\" on the clipboard, expected \"" + results + L"\"");

  const struct {
    bool rightClick;
    int item;
    const wchar_t* window;
    const wchar_t* arguments;
    const wchar_t* headings;
  } tables[] = {
      {false, 1, L"Plan", L"--plan --xp 31000000 --part books", L"Level|Scalps Needed|Scalps More\n"},
      {true, 2, L"Compare", L"--compare --xp 31000000 --scalps 5000",
       L"Way|Level|Exact XP|XP to next|Final Reward|Gold|Message\n"},
  };
  for (const auto& t : tables) {
    ChooseFromMenu(p, t.rightClick, t.item);
    const HWND window = WaitForWindow(p.id(), L"QuorvaneWindow", t.window);
    HWND list = nullptr;
    for (HWND child : ChildrenOf(window))
      if (lstrcmpiW(ClassOf(child).c_str(), WC_LISTVIEWW) == 0) list = child;
    Expect(list != nullptr, std::wstring(L"no list view in the window ") + t.window);
    const Rows shown = ListViewRows(p.id(), list);
    const std::wstring wanted = t.headings + Joined(CliRows(CliOutput(cli, t.arguments), t.item == 2));
    ExpectText(Joined(shown), wanted, std::wstring(L"the rows of the window ") + t.window);
    std::printf("the %ls window shows the %d rows of quorvane-cli %ls\n", t.window, static_cast<int>(shown.size() - 1),
                t.arguments);
    PostMessageW(window, WM_CLOSE, 0, 0);
    Expect(WaitUntil([&] { return !IsWindow(window) || !Shown(window); }),
           std::wstring(L"the window ") + t.window + L" stays");
  }

  // A bad input: the message of "Calculate".
  const HWND xp = RightOf(p.option(L"Character XP:"), Kind::Edit);
  Type(xp, L"");
  ChooseFromMenu(p, true, 1);
  AnswerMessageBox(p.id(), p.main(), L"Error", L"You have not typed any XP.");
  ClickLater(p.button(L"Calculate"));
  AnswerMessageBox(p.id(), p.main(), L"Error", L"You have not typed any XP.");
  Type(xp, L"31000000");
}

int Run(const std::wstring& exe) {
  Program p(exe);
  Calculation(p);
  ContextMenu(p, FolderOf(exe) + L"quorvane-cli.exe");
  EmptyScalps(p);
  SearchWithWorkingWindow(p);
  StopSearch(p);
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  AboutBox(p, FolderOf(self) + L"sysinfo_stub.exe");
  Keyboard(p);
  // The run ends when the last window has closed.
  PostMessageW(p.main(), WM_CLOSE, 0, 0);
  Expect(WaitForSingleObject(p.handle(), kTimeoutMs) == WAIT_OBJECT_0,
         L"the program still runs after its last window closed");
  DWORD code = 1;
  GetExitCodeProcess(p.handle(), &code);
  Expect(code == 0, L"the program ended with exit code " + std::to_wstring(code));
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
  if (!argv || argc < 2) {
    std::fprintf(stderr, "usage: e2e_driver <quorvane.exe>\n");
    return Finish(2);
  }
  try {
    const int code = Run(FullPath(argv[1]));
    std::printf("end-to-end checks of the Windows program passed\n");
    return Finish(code);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "FAIL: %s\n", failure.what());
    return Finish(1);
  }
}
