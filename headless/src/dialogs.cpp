// Modal dialogs: the procedure is run with WM_INITDIALOG, then the test's script plays the user.
#include <map>

#include "world.h"

namespace {

struct DialogRecord {
  DLGPROC procedure = nullptr;
  std::map<int, bool> checked;
  bool ended = false;
  INT_PTR result = 0;
};

struct Dialogs {
  std::map<uintptr_t, DialogRecord> open;
  std::function<void(HWND)> script;
};

Dialogs& TheDialogs() {
  static Dialogs dialogs;
  return dialogs;
}

DialogRecord* FindDialog(HWND dialog) {
  auto found = TheDialogs().open.find(reinterpret_cast<uintptr_t>(dialog));
  return found == TheDialogs().open.end() ? nullptr : &found->second;
}

}  // namespace

void ResetDialogs() {
  TheDialogs() = Dialogs();
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure,
                               LPARAM parameter) {
  LogCall("DialogBoxParamA", instance, " template=", reinterpret_cast<uintptr_t>(templateName),
          " owner=", owner);
  // An owner that is no window fails with 0, every other failure with -1.
  if (owner && !FindWindowRecord(owner))
    return 0;
  if (ShouldFail("DialogBoxParamA") || !HasResource(instance, RT_DIALOG, templateName))
    return -1;
  HWND dialog = HeadlessCreateForeignWindow("dialog", 316, 88);
  TheDialogs().open[reinterpret_cast<uintptr_t>(dialog)].procedure = procedure;
  procedure(dialog, WM_INITDIALOG, 0, parameter);
  if (TheDialogs().script)
    TheDialogs().script(dialog);
  DialogRecord record = *FindDialog(dialog);
  TheDialogs().open.erase(reinterpret_cast<uintptr_t>(dialog));
  DestroyWindow(dialog);
  return record.ended ? record.result : -1;
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
  LogCall("EndDialog", dialog, " ", result);
  DialogRecord* record = FindDialog(dialog);
  if (!record)
    return FALSE;
  record->ended = true;
  record->result = result;
  return TRUE;
}

LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int item, UINT message, WPARAM wParam, LPARAM lParam) {
  LogCall("SendDlgItemMessageA", dialog, " item=", item, " msg=", message, " wp=", wParam, " lp=", lParam);
  DialogRecord* record = FindDialog(dialog);
  if (!record)
    return 0;
  if (message == BM_SETCHECK)
    record->checked[item] = wParam == BST_CHECKED;
  return 0;
}

UINT WINAPI IsDlgButtonChecked(HWND dialog, int item) {
  DialogRecord* record = FindDialog(dialog);
  return record && record->checked[item] ? BST_CHECKED : BST_UNCHECKED;
}

void HeadlessSetDialogScript(std::function<void(HWND dialog)> script) {
  TheDialogs().script = std::move(script);
}

// Check boxes toggle themselves; every button then reports the click to the dialog procedure.
void HeadlessClickDialogButton(HWND dialog, int item) {
  DialogRecord* record = FindDialog(dialog);
  if (!record || record->ended)
    return;
  if (item != IDOK && item != IDCANCEL)
    record->checked[item] = !record->checked[item];
  record->procedure(dialog, WM_COMMAND, static_cast<WPARAM>(item), 0);
}

bool HeadlessDialogItemChecked(HWND dialog, int item) {
  DialogRecord* record = FindDialog(dialog);
  return record && record->checked[item];
}
