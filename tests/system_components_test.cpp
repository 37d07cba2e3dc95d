// The control panel and the password components are taken from the system's folders by full path,
// never searched for beside the saver or in the current folder.
#include <string>
#include <vector>

#include "app/display_check.h"
#include "headless/control_system.h"
#include "host/host_state.h"
#include "tests/saver_test_support.h"

namespace {

using Strings = std::vector<std::string>;

const char kCommand[] = " cmd=control desk.cpl,@0,3 ";

// A folder path of exactly `length` bytes.
std::string FolderOfLength(size_t length) {
  return "C:\\" + std::string(length - 3, 'd');
}

// The longest folder whose path of `fileName` still fits, with its terminator, in MAX_PATH bytes.
std::string LongestFolderFor(const std::string& fileName) {
  return FolderOfLength(MAX_PATH - 1 - 1 - fileName.size());
}

// The application and command line of each CreateProcessA call.
Strings StartedPrograms() {
  Strings started;
  for (const std::string& call : HeadlessCallsOf("CreateProcessA")) {
    size_t end = call.find(kCommand);
    started.push_back(end == std::string::npos ? call : call.substr(0, end + std::string(kCommand).size()));
  }
  return started;
}

struct ControlPanelCase {
  const char* name;
  std::string systemFolder;
  std::string windowsFolder;
  std::string systemControl;  // control.exe in the system folder, or empty
  const char* failingCall;    // made to fail once, or null
  std::string application;    // empty: the control panel cannot be started
};

TEST(ControlPanel, StartsByFullPathFromTheSystemOrWindowsFolder) {
  const std::string fits = LongestFolderFor("control.exe");
  const std::string fitsControl = fits + "\\control.exe";
  const std::string oneTooLong = FolderOfLength(fits.size() + 1);
  const std::string system95 = "C:\\WINDOWS\\SYSTEM";
  const ControlPanelCase cases[] = {
      {"in the system folder", "C:\\WINNT\\system32", "C:\\WINNT", "C:\\WINNT\\system32\\control.exe",
       nullptr, "C:\\WINNT\\system32\\control.exe"},
      {"only in the Windows folder", system95, "C:\\WINDOWS", "", nullptr, "C:\\WINDOWS\\control.exe"},
      {"system folder at a drive's root", "D:\\", "C:\\WINDOWS", "D:\\control.exe", nullptr,
       "D:\\control.exe"},
      {"system folder ending in a double-byte character whose trail byte is a backslash", "C:\\\x95\x5C",
       "C:\\WINDOWS", "C:\\\x95\x5C\\control.exe", nullptr, "C:\\\x95\x5C\\control.exe"},
      {"longest system folder that fits", fits, "C:\\WINDOWS", fitsControl, nullptr, fitsControl},
      {"longest Windows folder that fits", system95, fits, "", nullptr, fitsControl},
      {"system folder one byte too long", oneTooLong, "C:\\WINDOWS", oneTooLong + "\\control.exe", nullptr,
       ""},
      {"system folder longer than its buffer", FolderOfLength(400), "C:\\WINDOWS", "", nullptr, ""},
      {"Windows folder one byte too long", system95, oneTooLong, "", nullptr, ""},
      {"Windows folder longer than its buffer", system95, FolderOfLength(400), "", nullptr, ""},
      {"system folder unknown", system95, "C:\\WINDOWS", system95 + "\\control.exe", "GetSystemDirectoryA",
       ""},
      {"Windows folder unknown", system95, "C:\\WINDOWS", "", "GetWindowsDirectoryA", ""},
  };
  for (const ControlPanelCase& c : cases) {
    HeadlessReset();
    HeadlessSetSystemDirectory(c.systemFolder);
    HeadlessSetWindowsDirectory(c.windowsFolder);
    HeadlessRemoveFile("C:\\WINDOWS\\SYSTEM32\\control.exe");
    if (!c.systemControl.empty())
      HeadlessAddFile(c.systemControl);
    if (c.failingCall)
      HeadlessFailCall(c.failingCall);
    BOOL opened = OpenDisplaySettings();
    if (c.application.empty()) {
      EXPECT_FALSE(opened) << c.name;
      EXPECT_EQ(Strings{}, StartedPrograms()) << c.name;
      ASSERT_EQ(1u, HeadlessMessageBoxes().size()) << c.name;
      EXPECT_EQ("setup screen saver", HeadlessMessageBoxes()[0].text) << c.name;
      EXPECT_EQ("Error", HeadlessMessageBoxes()[0].caption) << c.name;
    } else {
      EXPECT_TRUE(opened) << c.name;
      EXPECT_EQ(Strings{c.application + kCommand}, StartedPrograms()) << c.name;
      EXPECT_TRUE(HeadlessMessageBoxes().empty()) << c.name;
      EXPECT_EQ(1, CountCalls("WaitForSingleObject")) << c.name;
    }
  }
}

int entryCalls;

DWORD WINAPI IgnorePasswordChange(LPCSTR, HWND, DWORD, LPVOID) {
  ++entryCalls;
  return 0;
}

BOOL WINAPI AcceptPassword(HWND) {
  ++entryCalls;
  return TRUE;
}

class SystemLibraryTest : public SaverTest {
 protected:
  void SetUp() override {
    SaverTest::SetUp();
    entryCalls = 0;
    HeadlessSetPlatform(VER_PLATFORM_WIN32_WINDOWS);
    HeadlessAddModule("PASSWORD.CPL", false);
    HeadlessAddExport("PASSWORD.CPL", "VerifyScreenSavePwd", AsExport(AcceptPassword));
    HeadlessAddModule("MPR.DLL", false);
    HeadlessAddExport("MPR.DLL", "PwdChangePasswordA", AsExport(IgnorePasswordChange));
    HeadlessRegistrySetDword(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword", 1);
  }
};

struct FolderCase {
  const char* name;
  std::string folder;
  const char* failingCall;
  bool fits;
};

TEST_F(SystemLibraryTest, PasswordComponentsComeFromTheSystemFolder) {
  struct Component {
    const char* fileName;
    const char* arguments;  // the mode that uses it
  };
  for (Component component : {Component{"PASSWORD.CPL", "/s"}, Component{"MPR.DLL", "/a"}}) {
    const std::string fits = LongestFolderFor(component.fileName);
    const FolderCase cases[] = {
        {"Windows 95 system folder", "C:\\WINDOWS\\SYSTEM", nullptr, true},
        {"longest folder that fits", fits, nullptr, true},
        {"folder one byte too long", FolderOfLength(fits.size() + 1), nullptr, false},
        {"folder longer than its buffer", FolderOfLength(300), nullptr, false},
        {"folder unknown", "C:\\WINDOWS\\SYSTEM", "GetSystemDirectoryA", false},
    };
    for (const FolderCase& c : Fresh(cases)) {
      HeadlessSetSystemDirectory(c.folder);
      if (c.failingCall)
        HeadlessFailCall(c.failingCall);
      PostToSaverAt(3000, WM_KEYDOWN, 'A');
      const std::string label = std::string(component.fileName) + ", " + c.name;
      EXPECT_EQ(0, RunMode(component.arguments)) << label;
      Strings loaded = c.fits ? Strings{c.folder + "\\" + component.fileName} : Strings{};
      EXPECT_EQ(loaded, HeadlessCallsOf("LoadLibraryA")) << label;
      EXPECT_EQ(loaded.size(), HeadlessCallsOf("FreeLibrary").size()) << label;
      EXPECT_EQ(c.fits ? 1 : 0, entryCalls) << label << ": a library that cannot be named is not loaded";
    }
  }
}

}  // namespace
