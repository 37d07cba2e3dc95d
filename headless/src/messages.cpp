// The thread's message queues: messages other threads sent, posted messages, the input queue,
// quit, paint and timer messages, and the test clock that moves only while the program waits.
#include <algorithm>
#include <chrono>
#include <thread>

#include "world.h"

namespace {

bool InRange(UINT message, UINT first, UINT last) {
  return (first == 0 && last == 0) || (message >= first && message <= last);
}

// A window filter takes the window's children too, but not the windows it owns.
bool ForWindow(HWND messageWindow, HWND filter) {
  if (!filter)
    return true;
  for (HWND window = messageWindow; window;) {
    if (window == filter)
      return true;
    const WindowRecord* record = FindWindowRecord(window);
    window = record && (record->style & WS_CHILD) ? record->parent : nullptr;
  }
  return false;
}

bool IsDue(uint32_t now, uint32_t due) {
  return static_cast<int32_t>(now - due) >= 0;
}

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  World& world = TheWorld();
  return MSG{window, message, wParam, lParam, world.now, world.cursor};
}

bool IsMouseMessage(UINT message) {
  return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

// Messages that other threads sent are delivered inside the call that looks for messages.
void DeliverSentByOthers() {
  auto& waiting = TheWorld().sentByOthers;
  while (!waiting.empty()) {
    MSG sent = waiting.front();
    waiting.pop_front();
    DeliverMessage(sent.hwnd, sent.message, sent.wParam, sent.lParam, false);
  }
}

bool TakeFrom(std::deque<MSG>& queue, MSG* out, HWND filter, UINT first, UINT last, bool remove) {
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (!InRange(it->message, first, last) || !ForWindow(it->hwnd, filter))
      continue;
    *out = *it;
    if (remove)
      queue.erase(it);
    return true;
  }
  return false;
}

bool TakeQueued(MSG* out, HWND filter, UINT first, UINT last, bool remove) {
  World& world = TheWorld();
  FollowRealClock();
  DeliverSentByOthers();
  if (TakeFrom(world.posted, out, filter, first, last, remove))
    return true;
  // The quit message is handed out whatever range the caller asked for.
  if (world.quitPosted) {
    *out = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(world.quitCode), 0);
    if (remove)
      world.quitPosted = false;
    return true;
  }
  if (TakeFrom(world.input, out, filter, first, last, remove)) {
    // Before mouse input is handed out, the window under the cursor is asked to set its shape.
    if (remove && IsMouseMessage(out->message)) {
      DeliverMessage(out->hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(out->hwnd),
                     MAKELONG(HTCLIENT, out->message), false);
    }
    return true;
  }
  if (InRange(WM_PAINT, first, last)) {
    for (auto& [handle, record] : world.windows) {
      HWND window = reinterpret_cast<HWND>(handle);
      if (record.needsPaint && record.visible && !record.foreign && ForWindow(window, filter)) {
        *out = MakeMessage(window, WM_PAINT, 0, 0);
        return true;
      }
    }
  }
  if (InRange(WM_TIMER, first, last)) {
    for (TimerRecord& timer : world.timers) {
      if (!IsDue(world.now, timer.due) || !ForWindow(timer.window, filter))
        continue;
      *out = MakeMessage(timer.window, WM_TIMER, timer.id, 0);
      if (remove)
        timer.due = world.now + timer.interval;
      return true;
    }
  }
  return false;
}

// Moves the clock to the next moment something happens (on a real clock: waits for it, or for
// what the real wait brings); false when nothing ever will.
bool WaitForNextEvent() {
  World& world = TheWorld();
  bool found = false;
  uint32_t next = 0;
  auto consider = [&](uint32_t time) {
    if (!found || static_cast<int32_t>(time - next) < 0)
      next = time;
    found = true;
  };
  for (const TimerRecord& timer : world.timers)
    consider(timer.due);
  for (const ScheduledAction& action : world.scheduled)
    consider(action.time);
  if (world.realClock) {
    if (!found && !world.realWait)
      return false;
    FollowRealClock();
    const int wait = found ? std::max(0, static_cast<int32_t>(next - world.now)) : -1;
    if (world.realWait)
      world.realWait(wait);
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(wait));
    FollowRealClock();
  } else {
    if (!found)
      return false;
    if (static_cast<int32_t>(next - world.now) > 0)
      world.now = next;
  }

  std::vector<ScheduledAction> due;
  auto& scheduled = world.scheduled;
  auto split = std::stable_partition(scheduled.begin(), scheduled.end(),
                                     [&](const ScheduledAction& a) { return !IsDue(world.now, a.time); });
  due.assign(std::make_move_iterator(split), std::make_move_iterator(scheduled.end()));
  scheduled.erase(split, scheduled.end());
  std::sort(due.begin(), due.end(), [](const ScheduledAction& a, const ScheduledAction& b) {
    return a.time != b.time ? static_cast<int32_t>(a.time - b.time) < 0 : a.order < b.order;
  });
  for (ScheduledAction& action : due)
    action.action();
  return true;
}

}  // namespace

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LogCall("PostMessageA", window, " msg=", message, " wp=", wParam, " lp=", lParam);
  if (window && !FindWindowRecord(window))
    return FALSE;
  TheWorld().posted.push_back(MakeMessage(window, message, wParam, lParam));
  return TRUE;
}

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DeliverMessage(window, message, wParam, lParam, false);
}

void WINAPI PostQuitMessage(int exitCode) {
  LogCall("PostQuitMessage", exitCode);
  TheWorld().quitPosted = true;
  TheWorld().quitCode = exitCode;
}

BOOL WINAPI GetMessageA(LPMSG message, HWND window, UINT first, UINT last) {
  World& world = TheWorld();
  if (--world.messageBudget < 0) {
    world.budgetExhausted = true;
    *message = MakeMessage(nullptr, WM_QUIT, 0, 0);
    return FALSE;
  }
  while (!TakeQueued(message, window, first, last, true)) {
    if (!WaitForNextEvent()) {
      // A real thread would block for ever here; end the loop so the test can report it.
      world.budgetExhausted = true;
      *message = MakeMessage(nullptr, WM_QUIT, 0, 0);
      return FALSE;
    }
  }
  return message->message != WM_QUIT;
}

BOOL WINAPI PeekMessageA(LPMSG message, HWND window, UINT first, UINT last, UINT remove) {
  LogCall("PeekMessageA", window, " first=", first, " last=", last, " flags=", remove);
  return TakeQueued(message, window, first, last, (remove & PM_REMOVE) != 0);
}

BOOL WINAPI TranslateMessage(const MSG*) {
  return FALSE;
}

LRESULT WINAPI DispatchMessageA(const MSG* message) {
  if (message->message == WM_TIMER && message->lParam) {
    reinterpret_cast<TIMERPROC>(message->lParam)(message->hwnd, WM_TIMER, message->wParam, TheWorld().now);
    return 0;
  }
  return DeliverMessage(message->hwnd, message->message, message->wParam, message->lParam, true);
}

UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure) {
  LogCall("SetTimer", window, " id=", id, " ms=", elapse, " proc=", reinterpret_cast<void*>(procedure));
  if (ShouldFail("SetTimer") || !FindWindowRecord(window))
    return 0;
  World& world = TheWorld();
  UINT interval = std::max<UINT>(elapse, 10);
  auto& timers = world.timers;
  timers.erase(std::remove_if(timers.begin(), timers.end(),
                              [&](const TimerRecord& t) { return t.window == window && t.id == id; }),
               timers.end());
  timers.push_back({window, id, interval, world.now + interval});
  return id ? id : 1;
}

BOOL WINAPI KillTimer(HWND window, UINT_PTR id) {
  LogCall("KillTimer", window, " id=", id);
  if (ShouldFail("KillTimer"))
    return FALSE;
  auto& timers = TheWorld().timers;
  auto found = std::find_if(timers.begin(), timers.end(),
                            [&](const TimerRecord& t) { return t.window == window && t.id == id; });
  if (found == timers.end())
    return FALSE;
  timers.erase(found);
  return TRUE;
}

int HeadlessTimerCount() {
  return static_cast<int>(TheWorld().timers.size());
}

BOOL WINAPI GetCursorPos(LPPOINT point) {
  if (!point)
    return FALSE;
  *point = TheWorld().cursor;
  return TRUE;
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
  LogCall("SetCursor", cursor);
  HCURSOR previous = TheWorld().cursorShape;
  TheWorld().cursorShape = cursor;
  return previous;
}

void HeadlessSetCursor(int x, int y) {
  TheWorld().cursor = {x, y};
}

HCURSOR HeadlessCursorShape() {
  return TheWorld().cursorShape;
}
void HeadlessSetCursorShape(HCURSOR shape) {
  TheWorld().cursorShape = shape;
}

void QueueMouseMove() {
  World& world = TheWorld();
  HWND target = WindowUnderCursor();
  if (!target)
    return;
  const POINT origin = ScreenOrigin(target);
  MSG move =
      MakeMessage(target, WM_MOUSEMOVE, 0, MAKELONG(world.cursor.x - origin.x, world.cursor.y - origin.y));
  // A move still waiting at the end of the input queue only learns the newer position.
  if (!world.input.empty() && world.input.back().message == WM_MOUSEMOVE &&
      world.input.back().hwnd == target) {
    world.input.back() = move;
    return;
  }
  world.input.push_back(move);
}

void HeadlessMoveCursor(int x, int y) {
  TheWorld().cursor = {x, y};
  QueueMouseMove();
}

void HeadlessUserInput(UINT message, WPARAM wParam) {
  World& world = TheWorld();
  if (message == WM_MOUSEMOVE) {
    QueueMouseMove();
    return;
  }
  const bool mouse = IsMouseMessage(message);
  // Keys go to the window with the focus, which here is the foreground window; buttons to the window
  // under the cursor.
  HWND target = mouse ? WindowUnderCursor() : world.foreground;
  const WindowRecord* record = FindWindowRecord(target);
  if (!record || record->foreign)
    return;
  LPARAM lParam = 1;  // a key's repeat count
  if (mouse) {
    const POINT origin = ScreenOrigin(target);
    lParam = MAKELONG(world.cursor.x - origin.x, world.cursor.y - origin.y);
  }
  world.input.push_back(MakeMessage(target, message, wParam, lParam));
}

void HeadlessSendFromOtherThread(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TheWorld().sentByOthers.push_back(MakeMessage(window, message, wParam, lParam));
}

void HeadlessPostToForeground(UINT message, WPARAM wParam, LPARAM lParam) {
  World& world = TheWorld();
  if (world.foreground)
    world.posted.push_back(MakeMessage(world.foreground, message, wParam, lParam));
}
