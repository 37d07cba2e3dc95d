// Headless modal dialogs fail as DialogBoxParamA does: -1 when the template is not among the
// module's resources, 0 when the owner is no window. Their drop-down lists answer as Windows'.
#include <cstring>
#include <string>
#include <vector>

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

std::vector<WPARAM> commands;

INT_PTR CALLBACK RecordingProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND)
    commands.push_back(wParam);
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

TEST_F(HeadlessDialogTest, DropDownListsAnswerAsWindowsDocuments) {
  const int kList = 1004;
  const struct {
    UINT message;
    WPARAM wParam;
    const char* text;  // the string to add, or the buffer's text after CB_GETLBTEXT
    LRESULT result;
  } steps[] = {
      {CB_GETCURSEL, 0, nullptr, CB_ERR},    {CB_GETCOUNT, 0, nullptr, 0},
      {CB_ADDSTRING, 0, "one", 0},           {CB_ADDSTRING, 0, "three", 1},
      {CB_ADDSTRING, 0, nullptr, CB_ERR},    {CB_GETCOUNT, 0, nullptr, 2},
      {CB_SETCURSEL, 1, nullptr, 1},         {CB_GETCURSEL, 0, nullptr, 1},
      {CB_SETCURSEL, 2, nullptr, CB_ERR},    {CB_GETCURSEL, 0, nullptr, CB_ERR},
      {CB_SETCURSEL, 0, nullptr, 0},         {CB_SETCURSEL, static_cast<WPARAM>(-1), nullptr, CB_ERR},
      {CB_GETCURSEL, 0, nullptr, CB_ERR},    {CB_GETLBTEXTLEN, 1, nullptr, 5},
      {CB_GETLBTEXTLEN, 2, nullptr, CB_ERR}, {CB_GETLBTEXT, 0, "one\0xxxx", 3},
      {CB_GETLBTEXT, 2, "xxxxxxxx", CB_ERR}, {CB_RESETCONTENT, 0, nullptr, CB_OKAY},
      {CB_GETCOUNT, 0, nullptr, 0},          {CB_GETLBTEXTLEN, 0, nullptr, CB_ERR},
  };
  HeadlessSetDialogScript([&](HWND dialog) {
    for (const auto& step : steps) {
      const std::string what = "message " + std::to_string(step.message) + " " + std::to_string(step.wParam);
      char buffer[9] = "xxxxxxxx";
      LPARAM lParam = 0;
      if (step.message == CB_ADDSTRING)
        lParam = reinterpret_cast<LPARAM>(step.text);
      if (step.message == CB_GETLBTEXT)
        lParam = reinterpret_cast<LPARAM>(buffer);
      EXPECT_EQ(step.result, SendDlgItemMessageA(dialog, kList, step.message, step.wParam, lParam)) << what;
      if (step.message == CB_GETLBTEXT) {
        EXPECT_EQ(0, std::memcmp(step.text, buffer, sizeof buffer)) << what;
      }
    }
    EXPECT_EQ(CB_ERR, SendDlgItemMessageA(dialog, kList, CB_GETLBTEXT, 0, 0)) << "no buffer";
    EXPECT_EQ(0, SendDlgItemMessageA(reinterpret_cast<HWND>(0x4321), kList, CB_GETCOUNT, 0, 0))
        << "no dialog";
    EXPECT_EQ(CB_ERR, HeadlessComboSelection(dialog, kList + 1)) << "no list";
    EXPECT_EQ(std::vector<std::string>(), HeadlessComboItems(dialog, kList + 1)) << "no list";

    // A user's pick is told to the dialog; one outside the list, or in no list, is no pick.
    SendDlgItemMessageA(dialog, kList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    SendDlgItemMessageA(dialog, kList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("two"));
    commands.clear();
    for (int index : {1, 2, -1})
      HeadlessSelectComboItem(dialog, kList, index);
    HeadlessSelectComboItem(dialog, kList + 1, 0);
    EXPECT_EQ((std::vector<WPARAM>{static_cast<WPARAM>(CBN_SELCHANGE) << 16 | kList}), commands);
    EXPECT_EQ(1, HeadlessComboSelection(dialog, kList));
    EXPECT_EQ(1, SendDlgItemMessageA(dialog, kList, CB_GETCURSEL, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"one", "two"}), HeadlessComboItems(dialog, kList));
    EndDialog(dialog, 0);
  });
  EXPECT_EQ(0, DialogBoxParamA(nullptr, MAKEINTRESOURCEA(2003), nullptr, RecordingProc, 0));
}

}  // namespace
