#include "app/settings_dialog.h"

#include "app/settings.h"

namespace {

const int kPlaySoundCheckBox = 1003;

// A drop-down list whose item i stands for the setting's value i.
struct ChoiceList {
  int item;
  DWORD* setting;
  const char* const* choices;
  DWORD count;
};

const char* const kSizeChoices[] = {"As the display scales it", "Actual pixels", "As large as fits"};
const char* const kMonitorsChoices[] = {"The main monitor", "Every monitor"};

const ChoiceList kChoiceLists[] = {
    {1004, &sizeSetting, kSizeChoices, sizeof kSizeChoices / sizeof kSizeChoices[0]},
    {1005, &monitorsSetting, kMonitorsChoices, sizeof kMonitorsChoices / sizeof kMonitorsChoices[0]},
};

void ShowChoices(HWND dialog) {
  for (const ChoiceList& list : kChoiceLists) {
    for (DWORD i = 0; i < list.count; ++i)
      SendDlgItemMessageA(dialog, list.item, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(list.choices[i]));
    SendDlgItemMessageA(dialog, list.item, CB_SETCURSEL, *list.setting, 0);
  }
}

// A list left without a selection keeps the setting as it was loaded.
void TakeChoices(HWND dialog) {
  for (const ChoiceList& list : kChoiceLists) {
    const LRESULT chosen = SendDlgItemMessageA(dialog, list.item, CB_GETCURSEL, 0, 0);
    if (chosen >= 0 && static_cast<DWORD>(chosen) < list.count)
      *list.setting = static_cast<DWORD>(chosen);
  }
}

}  // namespace

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    LoadSettings(dialog);
    SendDlgItemMessageA(dialog, kPlaySoundCheckBox, BM_SETCHECK, soundSetting, 0);
    ShowChoices(dialog);
    return 1;
  }
  if (message != WM_COMMAND)
    return 0;
  if (wParam == IDOK) {
    soundSetting = IsDlgButtonChecked(dialog, kPlaySoundCheckBox) == BST_CHECKED ? 1 : 0;
    TakeChoices(dialog);
    WriteSettings(dialog, &settingsKey);
    EndDialog(dialog, 1);
    return 1;
  }
  if (wParam == IDCANCEL) {
    EndDialog(dialog, 0);
    return 1;
  }
  return 0;
}
