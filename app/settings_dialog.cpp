#include "app/settings_dialog.h"

#include "app/settings.h"

namespace {

const int kPlaySoundCheckBox = 1003;

}  // namespace

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    LoadSettings(dialog);
    SendDlgItemMessageA(dialog, kPlaySoundCheckBox, BM_SETCHECK, soundSetting, 0);
    return 1;
  }
  if (message != WM_COMMAND)
    return 0;
  if (wParam == IDOK) {
    soundSetting = IsDlgButtonChecked(dialog, kPlaySoundCheckBox) == BST_CHECKED ? 1 : 0;
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
