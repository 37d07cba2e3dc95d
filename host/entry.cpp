#include "host/entry.h"

#include "app/display_check.h"
#include "app/settings_dialog.h"
#include "host/host_state.h"
#include "host/password.h"
#include "host/saver_window.h"

namespace {

const int kConfigurationDialog = 2003;
const int kUnknownMode = -1;

bool IsModeSeparator(char c) {
  return c == ' ' || c == '-' || c == '/';
}

const char* SkipSpaces(const char* text) {
  while (*text == ' ')
    ++text;
  return text;
}

int RunMode(const char* argumentText) {
  const char* text = argumentText;
  while (IsModeSeparator(*text))
    ++text;
  switch (*text) {
    case '\0':
      return static_cast<int>(ShowConfiguration(nullptr));
    case 's':
    case 'S':
      return RunSaverWindow(nullptr);
    case 'c':
    case 'C':
      return static_cast<int>(ShowConfiguration(GetForegroundWindow()));
    case 'p':
    case 'P':
    case 'l':
    case 'L':
      return StartPreview(SkipSpaces(text + 1));
    case 'a':
    case 'A':
      return hostState.onWindows95 ? StartPasswordChange(SkipSpaces(text + 1)) : kUnknownMode;
    default:
      return kUnknownMode;
  }
}

// An exception that escapes a mode goes to the system's own filter first; when that decides the
// process ends, the system must no longer believe a saver is running.
LONG WINAPI ModeExceptionFilter(EXCEPTION_POINTERS* info) {
  LONG verdict = UnhandledExceptionFilter(info);
  if (verdict == EXCEPTION_EXECUTE_HANDLER)
    SetSaverRunning(FALSE);
  return verdict;
}

}  // namespace

const char* ArgumentText(const char* commandLine) {
  const char* text = commandLine;
  if (*text == '"') {
    text = CharNextA(text);
    while (*text && *text != '"')
      text = CharNextA(text);
    if (*text == '"')
      ++text;
  } else {
    while (static_cast<unsigned char>(*text) > 0x20)
      text = CharNextA(text);
  }
  while (*text && static_cast<unsigned char>(*text) <= 0x20)
    text = CharNextA(text);
  return text;
}

void SaverEntry() {
  const char* text = ArgumentText(GetCommandLineA());
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  int showCommand = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
  ExitProcess(static_cast<UINT>(DispatchMode(GetModuleHandleA(nullptr), text, showCommand)));
}

int DispatchMode(HINSTANCE instance, const char* argumentText, int) {
  hostState.instance = instance;
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  hostState.onWindows95 = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
  LPTOP_LEVEL_EXCEPTION_FILTER previous = SetUnhandledExceptionFilter(ModeExceptionFilter);
  int result = RunMode(argumentText);
  SetUnhandledExceptionFilter(previous);
  return result;
}

UINT ParseWindowHandle(const char* text) {
  UINT value = 0;
  for (; *text >= '0' && *text <= '9'; ++text)
    value = value * 10 + static_cast<UINT>(*text - '0');
  return value;
}

HWND WindowFromNumber(UINT number) {
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(number));
}

int StartPreview(const char* text) {
  HWND host = WindowFromNumber(ParseWindowHandle(text));
  if (!host || !IsWindow(host))
    return kUnknownMode;
  return RunSaverWindow(host);
}

INT_PTR ShowConfiguration(HWND owner) {
  if (!CheckDisplayForConfiguration())
    return 0;
  return DialogBoxParamA(hostState.instance, MAKEINTRESOURCEA(kConfigurationDialog), owner,
                         SettingsDialogProc, 0);
}

int StartPasswordChange(const char* text) {
  HWND owner = WindowFromNumber(ParseWindowHandle(text));
  ChangePassword(owner && IsWindow(owner) ? owner : GetForegroundWindow());
  return 0;
}

void SetSaverRunning(BOOL on) {
  if (!hostState.onWindows95)
    return;
  UINT scratch = 0;
  SystemParametersInfoA(SPI_SCREENSAVERRUNNING, on ? 1 : 0, &scratch, 0);
}
