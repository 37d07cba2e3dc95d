// A fresh machine and a fresh saver process for every test, and the moves tests make often.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "headless/control.h"

class SaverTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// Runs one mode the way the process entry does, with `arguments` after the program name.
int RunMode(const std::string& arguments);
// The decimal number by which the display settings name a window.
std::string WindowNumber(HWND window);
// Posts a message to the saver window at `time` (the saver window as it is then).
void PostToSaverAt(uint32_t time, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Sets `*alive` when the saver window still exists at `time`; a loop that ended earlier leaves it.
void CheckAliveAt(uint32_t time, bool* alive);
int CountCalls(const std::string& api);
// Four small moves around (x, y), 100 ms apart from `from` on, each after something else showed the
// cursor as `shown`; 50 ms after each move the cursor's shape goes into *shapes.
void WatchCursorOverSmallMoves(uint32_t from, int x, int y, HCURSOR shown, std::vector<HCURSOR>* shapes);
// A function of the test as an entry of a headless module.
template <typename Function>
FARPROC AsExport(Function function) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}
// A handle as the call log writes it.
std::string HandleText(const void* handle);
// A rectangle as "left,top,right,bottom", so that lists of them compare and print readably.
std::string RectText(const RECT& rect);
std::vector<std::string> RectTexts(const std::vector<RECT>& rects);
