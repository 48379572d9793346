// Drives modal windows of the thread under test from a second thread, the
// way an operator would: finds the dialog or message box, reads its
// controls, types keys into it and closes it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/win32_headers.h"
#include "tests/wine/contest_script.h"

namespace rezov {

extern const char kSetupDialogCaption[];

// Runs `work` on a second thread from construction until Join.
class HelperThread {
 public:
  explicit HelperThread(std::function<void()> work);
  ~HelperThread() { Join(); }
  HelperThread(const HelperThread&) = delete;
  HelperThread& operator=(const HelperThread&) = delete;
  void Join();

 private:
  static DWORD WINAPI Run(LPVOID self);
  std::function<void()> work_;
  HANDLE thread_ = nullptr;
};

// Polls `condition` every few milliseconds; true as soon as it holds, false
// when `timeoutMs` passed first.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// The visible top-level dialog-class window of `thread` whose caption is
// `caption` (any caption for null), or null.
HWND FindThreadDialog(DWORD thread, const char* caption);
HWND WaitForThreadDialog(DWORD thread, const char* caption, DWORD timeoutMs = 10000);
bool WaitUntilClosed(HWND window, DWORD timeoutMs = 5000);

std::string WindowText(HWND window);
std::string ClassOf(HWND window);

// Keys as the message loop of the window's thread receives them: a posted
// key press, and characters posted one at a time, a CR LF pair as Enter,
// each waited for until the window's text changed.
void PressKey(HWND target, UINT virtualKey);
void TypeText(HWND target, const std::string& text);

// The dialog's child that has the keyboard focus in `thread`: the combo box,
// not the edit inside it. Null when the focus is elsewhere.
HWND FocusedControl(DWORD thread, HWND dialog);
int FocusedControlId(DWORD thread, HWND dialog);
// Presses `key` in the focused control and waits until the focus moved;
// the id of the control that has it then.
int MoveFocus(DWORD thread, HWND dialog, UINT key);

// What a message box shows; `style` is read back from the box: MB_ICON*
// from its icon and MB_OK or MB_OKCANCEL from its buttons.
struct MessageBoxView {
  std::string caption;
  std::string text;
  HWND owner = nullptr;
  unsigned style = 0;
};
MessageBoxView ReadMessageBox(HWND box);
void CloseMessageBox(HWND box);
// The caption the system gives a message box shown without one ("Error" in
// English), read from a box of its own.
std::string DefaultMessageCaption();

// Types the answer's texts into the setup dialog's fields and closes it
// with OK or CANCEL.
void AnswerSetupDialog(HWND dialog, const DialogAnswer& answer);

// From construction until Stop: answers every setup dialog `thread` opens
// with the next answer, and closes every message box it opens with OK,
// keeping what each said.
class Autopilot {
 public:
  Autopilot(DWORD thread, std::vector<DialogAnswer> answers);
  ~Autopilot() { Stop(); }
  Autopilot(const Autopilot&) = delete;
  Autopilot& operator=(const Autopilot&) = delete;
  void Stop();
  // Valid after Stop.
  const std::vector<MessageBoxView>& messages() const { return messages_; }
  std::size_t dialogsAnswered() const { return next_; }

 private:
  void Watch();
  void Handle(HWND window);

  DWORD thread_;
  std::vector<DialogAnswer> answers_;
  std::size_t next_ = 0;
  std::vector<MessageBoxView> messages_;
  std::vector<HWND> handled_;
  volatile LONG stop_ = 0;
  HelperThread watcher_;
};

}  // namespace rezov
