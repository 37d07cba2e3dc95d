// Process start-up facts, modules and run-time linking, version, ticks, child processes.
#include <chrono>
#include <thread>

#include "headless/win_shcore.h"
#include "world.h"

namespace {

const uintptr_t kExecutableInstance = 0x400000;
const uintptr_t kFirstModule = 0x70000000;
const uintptr_t kModuleSpacing = 0x10000;

ModuleRecord* FindModuleByName(const char* name) {
  for (ModuleRecord& module : TheWorld().modules) {
    if (name && ModuleAt(module, name))
      return &module;
  }
  return nullptr;
}

bool IsLeadByte(UINT codePage, unsigned char byte) {
  return codePage == 932 && ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
}

HMODULE HandleOf(const ModuleRecord* module) {
  size_t index = static_cast<size_t>(module - TheWorld().modules.data());
  return reinterpret_cast<HMODULE>(kFirstModule + index * kModuleSpacing);
}

ModuleRecord* FindModuleByHandle(HMODULE handle) {
  auto& modules = TheWorld().modules;
  uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  if (value < kFirstModule || (value - kFirstModule) % kModuleSpacing != 0)
    return nullptr;
  size_t index = (value - kFirstModule) / kModuleSpacing;
  return index < modules.size() && !modules[index].removed ? &modules[index] : nullptr;
}

template <typename Function>
FARPROC AsProcedure(Function function) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

}  // namespace

LPSTR WINAPI GetCommandLineA(void) {
  return TheWorld().commandLine.data();
}

// The program was started without a show command of its own.
void WINAPI GetStartupInfoA(LPSTARTUPINFOA info) {
  *info = STARTUPINFOA{};
  info->cb = sizeof(STARTUPINFOA);
}

HMODULE WINAPI GetModuleHandleA(LPCSTR name) {
  if (!name)
    return reinterpret_cast<HMODULE>(kExecutableInstance);
  ModuleRecord* module = FindModuleByName(name);
  return module && module->loaded ? HandleOf(module) : nullptr;
}

HMODULE WINAPI LoadLibraryA(LPCSTR name) {
  LogCall("LoadLibraryA", name);
  ModuleRecord* module = FindModuleByName(name);
  if (!module || ShouldFail("LoadLibraryA"))
    return nullptr;
  module->loaded = true;
  ++module->loadCount;
  return HandleOf(module);
}

BOOL WINAPI FreeLibrary(HMODULE handle) {
  ModuleRecord* module = FindModuleByHandle(handle);
  LogCall("FreeLibrary", module ? module->name.c_str() : "<unknown>");
  if (!module || module->loadCount <= 0)
    return FALSE;
  if (--module->loadCount == 0)
    module->loaded = false;
  return TRUE;
}

FARPROC WINAPI GetProcAddress(HMODULE handle, LPCSTR name) {
  LogCall("GetProcAddress", name);
  ModuleRecord* module = FindModuleByHandle(handle);
  if (!module || !module->loaded || !name)
    return nullptr;
  auto found = module->exports.find(name);
  return found == module->exports.end() ? nullptr : found->second;
}

void HeadlessAddModule(const std::string& name, bool alreadyLoaded) {
  ModuleRecord module;
  module.name = name;
  module.loaded = alreadyLoaded;
  module.loadCount = alreadyLoaded ? 1 : 0;
  TheWorld().modules.push_back(module);
}

void HeadlessAddExport(const std::string& module, const std::string& entry, FARPROC procedure) {
  if (ModuleRecord* record = FindModuleByName(module.c_str()))
    record->exports[entry] = procedure;
}

void HeadlessRemoveModule(const std::string& name) {
  if (ModuleRecord* record = FindModuleByName(name.c_str())) {
    record->removed = true;
    record->loaded = false;
    record->loadCount = 0;
  }
}

void HeadlessRemoveExport(const std::string& module, const std::string& entry) {
  if (ModuleRecord* record = FindModuleByName(module.c_str()))
    record->exports.erase(entry);
}

std::vector<ModuleRecord> SystemModules() {
  ModuleRecord user;
  user.name = "USER32.DLL";
  user.loaded = true;
  user.loadCount = 1;
  user.exports["EnumDisplayMonitors"] = AsProcedure(EnumDisplayMonitors);
  user.exports["GetMonitorInfoA"] = AsProcedure(GetMonitorInfoA);
  user.exports["MonitorFromWindow"] = AsProcedure(MonitorFromWindow);
  user.exports["MonitorFromPoint"] = AsProcedure(MonitorFromPoint);
  user.exports["GetDpiForWindow"] = AsProcedure(GetDpiForWindow);
  user.exports["GetDpiForSystem"] = AsProcedure(GetDpiForSystem);
  user.exports["SetThreadDpiAwarenessContext"] = AsProcedure(SetThreadDpiAwarenessContext);
  user.exports["GetWindowDpiAwarenessContext"] = AsProcedure(GetWindowDpiAwarenessContext);
  user.exports["RegisterPowerSettingNotification"] = AsProcedure(RegisterPowerSettingNotification);
  user.exports["UnregisterPowerSettingNotification"] = AsProcedure(UnregisterPowerSettingNotification);
  ModuleRecord shellScaling;
  shellScaling.name = "SHCORE.DLL";
  shellScaling.exports["GetDpiForMonitor"] = AsProcedure(GetDpiForMonitor);
  return {user, shellScaling};
}

int HeadlessModuleLoadCount(const std::string& name) {
  ModuleRecord* module = FindModuleByName(name.c_str());
  return module ? module->loadCount : 0;
}

BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA info) {
  if (ShouldFail("GetVersionExA") || info->dwOSVersionInfoSize < sizeof(OSVERSIONINFOA))
    return FALSE;
  bool windows95 = TheWorld().platformId == VER_PLATFORM_WIN32_WINDOWS;
  info->dwMajorVersion = windows95 ? 4 : 5;
  info->dwMinorVersion = windows95 ? 0 : 1;
  info->dwBuildNumber = windows95 ? 950 : 2600;
  info->dwPlatformId = TheWorld().platformId;
  info->szCSDVersion[0] = 0;
  return TRUE;
}

void WINAPI ExitProcess(UINT code) {
  LogCall("ExitProcess", code);
  throw HeadlessExit{code};
}

void WINAPI Sleep(DWORD milliseconds) {
  LogCall("Sleep", milliseconds);
  World& world = TheWorld();
  if (!world.realClock) {
    world.now += milliseconds;
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  FollowRealClock();
}

DWORD WINAPI GetTickCount(void) {
  FollowRealClock();
  return TheWorld().now;
}

// A lead byte steps over its trail byte, unless the text ends there: the terminator is never passed.
LPSTR WINAPI CharNextA(LPCSTR text) {
  if (!*text)
    return const_cast<LPSTR>(text);
  bool doubleByte = IsLeadByte(TheWorld().codePage, static_cast<unsigned char>(*text)) && text[1];
  return const_cast<LPSTR>(text + (doubleByte ? 2 : 1));
}

LPTOP_LEVEL_EXCEPTION_FILTER WINAPI SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER filter) {
  LogCall("SetUnhandledExceptionFilter", reinterpret_cast<void*>(filter));
  LPTOP_LEVEL_EXCEPTION_FILTER previous = TheWorld().exceptionFilter;
  TheWorld().exceptionFilter = filter;
  return previous;
}

LONG WINAPI UnhandledExceptionFilter(EXCEPTION_POINTERS*) {
  LogCall("UnhandledExceptionFilter");
  return TheWorld().systemExceptionVerdict;
}

void HeadlessSetSystemExceptionVerdict(LONG verdict) {
  TheWorld().systemExceptionVerdict = verdict;
}

LONG HeadlessRaiseUnhandledException(DWORD code) {
  EXCEPTION_RECORD record = {};
  record.ExceptionCode = code;
  EXCEPTION_POINTERS pointers = {&record, nullptr};
  LPTOP_LEVEL_EXCEPTION_FILTER filter = TheWorld().exceptionFilter;
  return filter ? filter(&pointers) : UnhandledExceptionFilter(&pointers);
}

BOOL WINAPI CreateProcessA(LPCSTR application, LPSTR commandLine, LPSECURITY_ATTRIBUTES,
                           LPSECURITY_ATTRIBUTES, BOOL inheritHandles, DWORD flags, LPVOID, LPCSTR,
                           LPSTARTUPINFOA startup, LPPROCESS_INFORMATION information) {
  LogCall("CreateProcessA", application, " cmd=", commandLine, " inherit=", inheritHandles, " flags=", flags,
          " cb=", startup->cb, " show=", startup->wShowWindow, " w=", startup->dwXSize,
          " h=", startup->dwYSize, " startf=", startup->dwFlags);
  if (ShouldFail("CreateProcessA"))
    return FALSE;
  information->hProcess = reinterpret_cast<HANDLE>(0x7100);
  information->hThread = reinterpret_cast<HANDLE>(0x7104);
  information->dwProcessId = 42;
  information->dwThreadId = 43;
  return TRUE;
}

DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  LogCall("WaitForSingleObject", handle, " ms=", milliseconds);
  return 0;
}

BOOL WINAPI GetExitCodeProcess(HANDLE, LPDWORD code) {
  *code = 0;
  return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE handle) {
  LogCall("CloseHandle", handle);
  return TRUE;
}
