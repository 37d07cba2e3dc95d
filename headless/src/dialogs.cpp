// Modal dialogs: the procedure is run with WM_INITDIALOG, then the test's script plays the user.
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "world.h"

namespace {

struct ComboRecord {
  std::vector<std::string> items;
  int selection = CB_ERR;
};

struct DialogRecord {
  DLGPROC procedure = nullptr;
  std::map<int, bool> checked;
  std::map<int, ComboRecord> combos;
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

bool IsComboMessage(UINT message) {
  for (UINT known : {CB_ADDSTRING, CB_GETCOUNT, CB_GETCURSEL, CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_RESETCONTENT,
                     CB_SETCURSEL}) {
    if (message == known)
      return true;
  }
  return false;
}

bool InList(const ComboRecord& combo, WPARAM index) {
  return index < combo.items.size();
}

// As a drop-down list without CBS_SORT answers: CB_ERR for an index outside the list or no buffer.
LRESULT ComboMessage(ComboRecord* combo, UINT message, WPARAM wParam, LPARAM lParam) {
  char* text = reinterpret_cast<char*>(lParam);
  switch (message) {
    case CB_ADDSTRING:
      if (!text)
        return CB_ERR;
      combo->items.emplace_back(text);
      return static_cast<LRESULT>(combo->items.size() - 1);
    case CB_GETCOUNT:
      return static_cast<LRESULT>(combo->items.size());
    case CB_GETCURSEL:
      return combo->selection;
    case CB_GETLBTEXTLEN:
      return InList(*combo, wParam) ? static_cast<LRESULT>(combo->items[wParam].size()) : CB_ERR;
    case CB_GETLBTEXT:
      if (!InList(*combo, wParam) || !text)
        return CB_ERR;
      std::memcpy(text, combo->items[wParam].c_str(), combo->items[wParam].size() + 1);
      return static_cast<LRESULT>(combo->items[wParam].size());
    case CB_RESETCONTENT:
      *combo = ComboRecord();
      return CB_OKAY;
    default:  // CB_SETCURSEL: (WPARAM)-1 clears the selection and answers CB_ERR, as any index outside does
      combo->selection = InList(*combo, wParam) ? static_cast<int>(wParam) : CB_ERR;
      return combo->selection;
  }
}

const ComboRecord* FindCombo(HWND dialog, int item) {
  DialogRecord* record = FindDialog(dialog);
  if (!record)
    return nullptr;
  auto found = record->combos.find(item);
  return found == record->combos.end() ? nullptr : &found->second;
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
  if (IsComboMessage(message))
    return ComboMessage(&record->combos[item], message, wParam, lParam);
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

void HeadlessSelectComboItem(HWND dialog, int item, int index) {
  DialogRecord* record = FindDialog(dialog);
  if (!record || record->ended || !record->combos.count(item) || index < 0 ||
      !InList(record->combos[item], static_cast<WPARAM>(index)))
    return;
  record->combos[item].selection = index;
  record->procedure(dialog, WM_COMMAND, static_cast<WPARAM>(MAKELONG(item, CBN_SELCHANGE)), 0);
}

std::vector<std::string> HeadlessComboItems(HWND dialog, int item) {
  const ComboRecord* combo = FindCombo(dialog, item);
  return combo ? combo->items : std::vector<std::string>();
}

int HeadlessComboSelection(HWND dialog, int item) {
  const ComboRecord* combo = FindCombo(dialog, item);
  return combo ? combo->selection : CB_ERR;
}
