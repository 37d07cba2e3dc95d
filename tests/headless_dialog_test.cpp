// Headless modal dialogs fail as DialogBoxParamA does: -1 when the template is not among the
// module's resources, 0 when the owner is no window.
#include "headless/control_resources.h"
#include "tests/saver_test_support.h"

namespace {

int initialisations = 0;

INT_PTR CALLBACK ClosingProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) {
    ++initialisations;
    EndDialog(dialog, 7);
  }
  return 0;
}

class HeadlessDialogTest : public SaverTest {};

TEST_F(HeadlessDialogTest, TemplateMustBeAmongTheModulesResources) {
  HeadlessAddModule("OTHER.DLL", true);
  HeadlessSetResource(RT_DIALOG, "NAMED", {0});
  const struct {
    const char* what;
    HINSTANCE instance;
    LPCSTR name;
    HWND owner;
    INT_PTR result;
  } cases[] = {
      {"numbered template", nullptr, MAKEINTRESOURCEA(2003), nullptr, 7},
      {"named template of the executable", GetModuleHandleA(nullptr), "named", nullptr, 7},
      {"missing template", nullptr, MAKEINTRESOURCEA(2004), nullptr, -1},
      {"template of another module", GetModuleHandleA("OTHER.DLL"), MAKEINTRESOURCEA(2003), nullptr, -1},
      {"owner that is no window", nullptr, MAKEINTRESOURCEA(2003), reinterpret_cast<HWND>(0x4321), 0},
  };
  for (const auto& c : cases) {
    initialisations = 0;
    EXPECT_EQ(c.result, DialogBoxParamA(c.instance, c.name, c.owner, ClosingProc, 0)) << c.what;
    EXPECT_EQ(c.result == 7 ? 1 : 0, initialisations) << c.what;
  }
}

}  // namespace
