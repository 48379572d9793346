#include "platform/win32/setup_dialog_window.h"

#include <array>
#include <string>

#include "platform/platform.h"
#include "resources/rezov_resource.h"
#include "platform/setup_dialog.h"

namespace rezov {
namespace {

std::string WindowText(HWND control) {
  const int length = GetWindowTextLengthA(control);
  if (length <= 0) return std::string();
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(control, &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void FillComboLists(HWND window) {
  for (const DialogFieldInfo& info : DialogFields()) {
    if (info.kind != ControlKind::kCombo) continue;
    for (const std::string& item : ComboItems(info.field)) {
      SendDlgItemMessageA(window, info.controlId, CB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(item.c_str()));
    }
  }
}

// Selects the item the portable rules choose; with none, the text goes into
// the edit part. The list searches itself, from its first item in shown
// order, for the chosen item's full text.
void LoadCombo(HWND combo, const DialogFieldInfo& info, const std::string& text) {
  const ComboShown shown = ComboLoad(info.field, text);
  if (shown.selected >= 0 &&
      SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(shown.text.c_str())) != CB_ERR) {
    return;
  }
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SetWindowTextA(combo, shown.text.c_str());
}

void LoadExchange(HWND window, const SetupDialog& dialog) {
  for (const DialogFieldInfo& info : DialogFields()) {
    const HWND control = GetDlgItem(window, info.controlId);
    const std::string& text = dialog.text(info.field);
    if (info.kind == ControlKind::kCombo) {
      LoadCombo(control, info, text);
    } else {
      SetWindowTextA(control, text.c_str());
    }
  }
}

// Every control's text, field by field; the dialog changes only once all
// of them have been read.
void SaveExchange(HWND window, SetupDialog& dialog) {
  std::array<std::string, kDialogFieldCount> texts;
  for (const DialogFieldInfo& info : DialogFields()) {
    texts[static_cast<std::size_t>(info.field)] =
        WindowText(GetDlgItem(window, info.controlId));
  }
  for (const DialogFieldInfo& info : DialogFields()) {
    dialog.setText(info.field, std::move(texts[static_cast<std::size_t>(info.field)]));
  }
}

// The dialog's fields, kept with the window while it is open.
SetupDialog& FieldsOf(HWND window) {
  return *reinterpret_cast<SetupDialog*>(GetWindowLongPtrA(window, DWLP_USER));
}

// Nothing may unwind through the dialog manager: a failure to fill the
// controls ends the dialog as not shown, one while taking the texts back as
// cancelled.
INT_PTR OnInitDialog(HWND window, LPARAM param) {
  SetWindowLongPtrA(window, DWLP_USER, param);
  try {
    FillComboLists(window);
    LoadExchange(window, FieldsOf(window));
  } catch (...) {
    EndDialog(window, kDialogNotShown);
  }
  // TRUE: the dialog manager puts the focus on the first tab stop, SOAPBOX.
  return TRUE;
}

void OnOk(HWND window) {
  try {
    SaveExchange(window, FieldsOf(window));
  } catch (...) {
    EndDialog(window, IDCANCEL);
    return;
  }
  EndDialog(window, IDOK);
}

INT_PTR CALLBACK SetupDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(window, lParam);
    case WM_COMMAND:
      // The buttons, Enter (IDOK, there being no default push button) and
      // Esc or the close box (IDCANCEL) all arrive here.
      if (LOWORD(wParam) == IDOK) {
        OnOk(window);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(window, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

int ShowSetupDialogWindow(HINSTANCE module, SetupDialog& dialog) {
  const INT_PTR result =
      DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_SETUP_DIALOG), nullptr, SetupDialogProc,
                      reinterpret_cast<LPARAM>(&dialog));
  if (result == IDOK) return kDialogOk;
  if (result == IDCANCEL) return kDialogCancel;
  return kDialogNotShown;
}

}  // namespace rezov
