// A fresh machine and a fresh saver process for every test, and the moves tests make often.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "headless/control.h"

// The cases of a table, each met afresh: taking a case runs `reset` first.
template <typename Case>
struct FreshCases {
  std::deque<Case> cases;
  std::function<void()> reset;
  struct Iterator {
    const FreshCases* owner;
    size_t at;
    const Case& operator*() const {
      owner->reset();
      return owner->cases[at];
    }
    Iterator& operator++() {
      ++at;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return at != other.at; }
  };
  Iterator begin() const { return {this, 0}; }
  Iterator end() const { return {this, cases.size()}; }
};

class SaverTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // for (const auto& c : Fresh(cases)) meets every case on a fresh machine and saver process.
  template <typename Cases>
  auto Fresh(const Cases& cases) {
    using Case = std::decay_t<decltype(*std::begin(cases))>;
    return FreshCases<Case>{{std::begin(cases), std::end(cases)}, [this] { SetUp(); }};
  }
  template <typename Case>
  FreshCases<Case> Fresh(std::initializer_list<Case> cases) {
    return FreshCases<Case>{cases, [this] { SetUp(); }};
  }
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
// The calls to any of `apis` in the order they were made, as "Api arguments" (only "Api" when
// `withArguments` is false): compared whole with an expected sequence, a failure prints both.
std::vector<std::string> CallSequence(const std::set<std::string>& apis, bool withArguments = true);
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
