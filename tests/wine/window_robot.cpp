#include "tests/wine/window_robot.h"

#include <algorithm>

#include "platform/setup_dialog.h"
#include "tests/wine/check.h"

namespace rezov {

const char kSetupDialogCaption[] = "Championship of Moscow";

HelperThread::HelperThread(std::function<void()> work) : work_(std::move(work)) {
  thread_ = CreateThread(nullptr, 0, &HelperThread::Run, this, 0, nullptr);
  if (!thread_) ReportFailure(__FILE__, __LINE__, "CreateThread failed");
}

DWORD WINAPI HelperThread::Run(LPVOID self) {
  static_cast<HelperThread*>(self)->work_();
  return 0;
}

void HelperThread::Join() {
  if (!thread_) return;
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  thread_ = nullptr;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(10);
  }
}

std::string WindowText(HWND window) {
  char text[4096] = "";
  const int length = GetWindowTextA(window, text, sizeof text);
  return std::string(text, length > 0 ? length : 0);
}

std::string ClassOf(HWND window) {
  char name[256] = "";
  const int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

namespace {

struct DialogSearch {
  const char* caption;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM param) {
  DialogSearch* search = reinterpret_cast<DialogSearch*>(param);
  if (IsWindowVisible(window) && ClassOf(window) == "#32770" &&
      (!search->caption || WindowText(window) == search->caption)) {
    search->found.push_back(window);
  }
  return TRUE;
}

std::vector<HWND> ThreadDialogs(DWORD thread, const char* caption) {
  DialogSearch search{caption, {}};
  EnumThreadWindows(thread, CollectDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Buttons a message box shows, as the MB_ value that asks for them.
unsigned ButtonsOf(HWND box) {
  auto shown = [box](int id) {
    const HWND button = GetDlgItem(box, id);
    return button && IsWindowVisible(button);
  };
  if (shown(IDOK) && !shown(IDCANCEL) && !shown(IDYES) && !shown(IDNO)) return MB_OK;
  if (shown(IDOK) && shown(IDCANCEL)) return MB_OKCANCEL;
  return 0x0F;
}

struct IconSearch {
  HICON icon = nullptr;
};

BOOL CALLBACK FindIcon(HWND child, LPARAM param) {
  if (IsWindowVisible(child) && ClassOf(child) == "Static" &&
      (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    reinterpret_cast<IconSearch*>(param)->icon =
        reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
  }
  return TRUE;
}

// The MB_ICON value whose icon the box shows; 0xF0 for an icon of another
// kind.
unsigned IconOf(HWND box) {
  IconSearch search;
  EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&search));
  if (!search.icon) return 0;
  const struct {
    LPCSTR id;
    unsigned style;
  } kinds[] = {{IDI_INFORMATION, MB_ICONINFORMATION},
               {IDI_WARNING, MB_ICONWARNING},
               {IDI_ERROR, MB_ICONERROR},
               {IDI_QUESTION, MB_ICONQUESTION}};
  for (const auto& kind : kinds) {
    if (search.icon == LoadIconA(nullptr, kind.id)) return kind.style;
  }
  return 0xF0;
}

}  // namespace

HWND FindThreadDialog(DWORD thread, const char* caption) {
  const std::vector<HWND> found = ThreadDialogs(thread, caption);
  return found.empty() ? nullptr : found.front();
}

HWND WaitForThreadDialog(DWORD thread, const char* caption, DWORD timeoutMs) {
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindThreadDialog(thread, caption)) != nullptr; }, timeoutMs);
  return window;
}

bool WaitUntilClosed(HWND window, DWORD timeoutMs) {
  return WaitUntil([window] { return !IsWindow(window); }, timeoutMs);
}

void PressKey(HWND target, UINT virtualKey) {
  const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
  PostMessageA(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000u);
}

void TypeText(HWND target, const std::string& text) {
  // One key at a time, each waited for: the message loop turns a posted
  // Enter into a character of its own, which would otherwise arrive after
  // the characters posted behind it.
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::string before = WindowText(target);
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      PressKey(target, VK_RETURN);
      ++i;
    } else {
      PostMessageA(target, WM_CHAR, static_cast<unsigned char>(text[i]), 1);
    }
    WaitUntil([&] { return WindowText(target) != before; }, 2000);
  }
}

HWND FocusedControl(DWORD thread, HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(thread, &info) || !info.hwndFocus) return nullptr;
  HWND control = info.hwndFocus;
  // The edit part of a combo box has the id 1001 like SOAPBOX: its parent,
  // the combo box, is the dialog's control.
  while (control && GetParent(control) != dialog) control = GetParent(control);
  return control;
}

int FocusedControlId(DWORD thread, HWND dialog) {
  const HWND control = FocusedControl(thread, dialog);
  return control ? GetDlgCtrlID(control) : 0;
}

int MoveFocus(DWORD thread, HWND dialog, UINT key) {
  const HWND before = FocusedControl(thread, dialog);
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(thread, &info);
  PressKey(info.hwndFocus ? info.hwndFocus : dialog, key);
  WaitUntil([&] { return FocusedControl(thread, dialog) != before; }, 2000);
  return FocusedControlId(thread, dialog);
}

MessageBoxView ReadMessageBox(HWND box) {
  MessageBoxView view;
  view.caption = WindowText(box);
  view.text = WindowText(GetDlgItem(box, 0xFFFF));
  view.owner = GetWindow(box, GW_OWNER);
  view.style = IconOf(box) | ButtonsOf(box);
  return view;
}

void CloseMessageBox(HWND box) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

std::string DefaultMessageCaption() {
  Autopilot operatorThread(GetCurrentThreadId(), {});
  MessageBoxA(nullptr, "probe", nullptr, MB_OK);
  operatorThread.Stop();
  return operatorThread.messages().empty() ? std::string() : operatorThread.messages()[0].caption;
}

void AnswerSetupDialog(HWND dialog, const DialogAnswer& answer) {
  for (const auto& [label, text] : answer.edits) {
    const DialogFieldInfo* field = FindDialogField(label);
    if (!field) {
      ReportFailure(__FILE__, __LINE__, "no dialog field " + label);
      continue;
    }
    SetDlgItemTextA(dialog, field->controlId, text.c_str());
  }
  const int button = answer.confirm ? IDOK : IDCANCEL;
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

Autopilot::Autopilot(DWORD thread, std::vector<DialogAnswer> answers)
    : thread_(thread), answers_(std::move(answers)), watcher_([this] { Watch(); }) {}

void Autopilot::Stop() {
  InterlockedExchange(&stop_, 1);
  watcher_.Join();
}

void Autopilot::Watch() {
  while (InterlockedCompareExchange(&stop_, 0, 0) == 0) {
    for (HWND window : ThreadDialogs(thread_, nullptr)) {
      if (std::find(handled_.begin(), handled_.end(), window) != handled_.end()) continue;
      handled_.push_back(window);
      Handle(window);
    }
    Sleep(10);
  }
}

void Autopilot::Handle(HWND window) {
  if (WindowText(window) != kSetupDialogCaption) {
    messages_.push_back(ReadMessageBox(window));
    CloseMessageBox(window);
    return;
  }
  if (next_ < answers_.size()) {
    AnswerSetupDialog(window, answers_[next_++]);
    return;
  }
  ReportFailure(__FILE__, __LINE__, "a setup dialog more than expected");
  AnswerSetupDialog(window, DialogAnswer{{}, false});
}

}  // namespace rezov
