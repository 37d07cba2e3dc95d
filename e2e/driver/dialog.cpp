#include "driver.h"

#include <cstdlib>
#include <cstring>

namespace {

const char kDialogClass[] = "#32770";
const char kClickAction[] = "click:";

// A dialog is listed while it is still being built; it is shown once its initialisation has run.
HWND WaitForDialog(const char* title, DWORD waitMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    const HWND dialog = FindWindowA(kDialogClass, title);
    if (dialog && IsWindowVisible(dialog))
      return dialog;
    if (GetTickCount() - start >= waitMs)
      return nullptr;
    Sleep(20);
  }
}

bool IsCheckBox(HWND control) {
  char className[64] = {};
  GetClassNameA(control, className, sizeof className);
  const DWORD type = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)) & BS_TYPEMASK;
  return _stricmp(className, "Button") == 0 &&
         (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE);
}

void ReportCheckBoxes(const std::string& prefix, HWND dialog) {
  for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    if (IsCheckBox(control)) {
      ReportNumber(prefix + "check." + std::to_string(GetDlgCtrlID(control)),
                   SendMessageA(control, BM_GETCHECK, 0, 0));
    }
  }
}

// Children in window order, which for a dialog is the template's order; a control's text is its title.
void ReportControls(HWND dialog) {
  int count = 0;
  for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    const std::string prefix = "control" + std::to_string(++count) + ".";
    ReportWindow(prefix, control);
    ReportNumber(prefix + "id", GetDlgCtrlID(control));
  }
  ReportNumber("controls", count);
}

// The platform's own tab walk, from the top of the window order round to where it started.
void ReportTabOrder(HWND dialog) {
  const HWND firstChild = GetWindow(dialog, GW_CHILD);
  const HWND start =
      firstChild ? GetNextDlgTabItem(dialog, GetWindow(firstChild, GW_HWNDLAST), FALSE) : nullptr;
  std::string order;
  HWND item = start;
  for (int steps = 0; item && steps < 64; ++steps) {
    order += (order.empty() ? "" : ",") + std::to_string(GetDlgCtrlID(item));
    item = GetNextDlgTabItem(dialog, item, FALSE);
    if (item == start)
      break;
  }
  Report("tab_order", order);
}

void ReportDialog(HWND dialog) {
  ReportWindow("dialog_", dialog);
  const LRESULT defaultId = SendMessageA(dialog, DM_GETDEFID, 0, 0);
  ReportNumber("default_id", HIWORD(defaultId) == DC_HASDEFID ? LOWORD(defaultId) : 0);
  GUITHREADINFO thread = {};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread);
  ReportNumber("focus_id", thread.hwndFocus ? GetDlgCtrlID(thread.hwndFocus) : 0);
  ReportControls(dialog);
  ReportTabOrder(dialog);
  ReportCheckBoxes("", dialog);
}

// A dialog that has ended is hidden at once and destroyed a little later.
bool DialogGone(HWND dialog) {
  return !IsWindow(dialog) || !IsWindowVisible(dialog);
}

// "click:ID": BM_CLICK to the control, as a mouse click on it would; the check boxes afterwards.
bool Press(HWND dialog, const std::string& prefix, const char* action) {
  Report(prefix.substr(0, prefix.size() - 1), action);
  if (std::strncmp(action, kClickAction, sizeof kClickAction - 1) != 0) {
    Report(prefix + "error", "unknown action");
    return false;
  }
  const HWND control = GetDlgItem(dialog, std::atoi(action + sizeof kClickAction - 1));
  if (!control) {
    Report(prefix + "error", "no such control");
    return false;
  }
  DWORD_PTR result = 0;
  const bool answered = SendMessageTimeoutA(control, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
  ReportNumber(prefix + "answered", answered ? 1 : 0);
  if (!DialogGone(dialog))
    ReportCheckBoxes(prefix, dialog);
  return answered;
}

}  // namespace

int RunDialog(const char* title, DWORD waitMs, int actionCount, char** actions) {
  const HWND dialog = WaitForDialog(title, waitMs);
  ReportNumber("found", dialog ? 1 : 0);
  if (!dialog)
    return 1;
  ReportDialog(dialog);
  for (int i = 0; i < actionCount; ++i) {
    if (!Press(dialog, "action" + std::to_string(i + 1) + ".", actions[i]))
      return 1;
  }
  if (actionCount == 0)
    return 0;
  const DWORD start = GetTickCount();
  while (!DialogGone(dialog) && GetTickCount() - start < waitMs)
    Sleep(20);
  ReportNumber("closed", DialogGone(dialog) ? 1 : 0);
  return 0;
}
