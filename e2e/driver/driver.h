#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Facts go to stdout as key=value lines, flushed one by one so that the harness can follow a driver
// that is still running.
void Report(const std::string& key, const std::string& value);
void ReportNumber(const std::string& key, long long value);
std::string FormatRect(const RECT& rect);
std::string FormatHex(unsigned long value);

// Saver-class windows; processId 0 takes every process, withChildren also searches inside top-level windows.
std::vector<HWND> FindSaverWindows(DWORD processId, bool withChildren);
void ReportWindow(const std::string& prefix, HWND window);

// A class of plain white windows of the driver's own.
void RegisterPlainClass(const char* className, WNDPROC procedure = DefWindowProcA);
// Serves the driver's messages for `runMs`, so that activation changes reach every application.
void ServeMessages(DWORD runMs);

int RunSpawn(DWORD timeoutMs, const char* commandLine);
int RunSaverWindows(DWORD waitMs);
int RunActivate(DWORD runMs);
int RunOwnerWindows(DWORD runMs);
int RunPreview(int width, int height, DWORD runMs, const char* saverPath);
// The monitors as Windows sees them, and the screen and virtual screen.
int ReportMonitors();
// Visible top-level windows of a class, waited for until there are `count` of them or `waitMs` ran out.
int RunClassWindows(const char* className, DWORD count, DWORD waitMs);
// Finds the dialog titled TITLE, describes it, then presses its controls as the actions say.
int RunDialog(const char* title, DWORD waitMs, int actionCount, char** actions);
