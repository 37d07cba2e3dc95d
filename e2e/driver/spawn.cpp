#include "driver.h"

#include <algorithm>
#include <cstring>

int RunSpawn(DWORD timeoutMs, const char* commandLine) {
  std::vector<char> line(commandLine, commandLine + std::strlen(commandLine) + 1);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  Report("command_line", commandLine);
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    ReportNumber("create_error", GetLastError());
    return 2;
  }
  ReportNumber("pid", process.dwProcessId);

  // The child's saver windows are counted while it runs, so a mode that must show nothing is caught
  // even when it exits quickly.
  const DWORD start = GetTickCount();
  size_t mostWindows = 0;
  DWORD waited = WAIT_TIMEOUT;
  while (waited == WAIT_TIMEOUT && GetTickCount() - start < timeoutMs) {
    mostWindows = std::max(mostWindows, FindSaverWindows(process.dwProcessId, true).size());
    waited = WaitForSingleObject(process.hProcess, 25);
  }
  ReportNumber("windows_seen", static_cast<long long>(mostWindows));
  ReportNumber("elapsed_ms", GetTickCount() - start);
  if (waited == WAIT_TIMEOUT) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
    Report("exit", "timeout");
  } else {
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    ReportNumber("exit", static_cast<int>(code));
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}
