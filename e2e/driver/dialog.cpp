#include "driver.h"

#include <cstdlib>
#include <cstring>

namespace {

const char kDialogClass[] = "#32770";
const char kClickAction[] = "click:";
const char kPickAction[] = "pick:";
const int kMaxListText = 256;

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

bool IsClass(HWND control, const char* name) {
  char className[64] = {};
  GetClassNameA(control, className, sizeof className);
  return _stricmp(className, name) == 0;
}

bool IsCheckBox(HWND control) {
  const DWORD type = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)) & BS_TYPEMASK;
  return IsClass(control, "Button") &&
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

// Each drop-down list's items, joined by '|', and its selection (-1 for none).
void ReportLists(const std::string& prefix, HWND dialog) {
  for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    if (!IsClass(control, "ComboBox"))
      continue;
    const std::string key = prefix + "list." + std::to_string(GetDlgCtrlID(control)) + ".";
    const LRESULT count = SendMessageA(control, CB_GETCOUNT, 0, 0);
    std::string items;
    for (LRESULT i = 0; i < count; ++i) {
      // Wine hands the ANSI text of another process's list over as UTF-16; the wide message is exact.
      wchar_t wide[kMaxListText] = {};
      char text[kMaxListText] = {};
      if (SendMessageW(control, CB_GETLBTEXTLEN, i, 0) < kMaxListText &&
          SendMessageW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide)) != CB_ERR)
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
      items += (i ? "|" : "") + std::string(text);
    }
    Report(key + "items", items);
    ReportNumber(key + "selection", SendMessageA(control, CB_GETCURSEL, 0, 0));
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
  ReportLists("", dialog);
}

// A dialog that has ended is hidden at once and destroyed a little later.
bool DialogGone(HWND dialog) {
  return !IsWindow(dialog) || !IsWindowVisible(dialog);
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

// A user's choice of item INDEX in a drop-down list: the list selects it and tells the dialog.
bool Pick(HWND dialog, HWND list, int id, int index) {
  return Send(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0) &&
         Send(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// "click:ID": BM_CLICK to the control, as a mouse click on it would; "pick:ID:INDEX" chooses an item
// of a drop-down list. The check boxes and lists afterwards.
bool Press(HWND dialog, const std::string& prefix, const char* action) {
  Report(prefix.substr(0, prefix.size() - 1), action);
  const bool click = std::strncmp(action, kClickAction, sizeof kClickAction - 1) == 0;
  const bool pick = std::strncmp(action, kPickAction, sizeof kPickAction - 1) == 0;
  if (!click && !pick) {
    Report(prefix + "error", "unknown action");
    return false;
  }
  char* end = nullptr;
  const int id = static_cast<int>(
      std::strtol(action + (click ? sizeof kClickAction : sizeof kPickAction) - 1, &end, 10));
  const HWND control = GetDlgItem(dialog, id);
  if (!control || (pick && *end != ':')) {
    Report(prefix + "error", control ? "no item index" : "no such control");
    return false;
  }
  const bool answered = click ? Send(control, BM_CLICK, 0, 0) : Pick(dialog, control, id, std::atoi(end + 1));
  ReportNumber(prefix + "answered", answered ? 1 : 0);
  if (!DialogGone(dialog)) {
    ReportCheckBoxes(prefix, dialog);
    ReportLists(prefix, dialog);
  }
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
