// A long run of the real saver in saving mode on the headless machine: the heap in use and the live
// GDI objects must stay flat, and the actions must keep their cycle, quadrants and timing to the end.
// usage: saver_soak TICKS [WIDTHxHEIGHT [DPI]]   (under AddressSanitizer, which also reports leaks at
// exit); at a DPI above 96 the scene is scaled, its rows through the band on every tick.
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "headless/control.h"
#include "app/saver_state.h"
#include "headless/control_gdi.h"
#include "scene/actor.h"
#include "scene/choreography_tables.h"
#include "saver_run/saving_run.h"

// The sanitizer runtime's count of the bytes in use on the heap (GCC ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();

namespace {

// Heap and GDI objects are sampled from here on: by then every action has run once.
const long kWarmUpTicks = 1000;
const long kSampleEvery = 5000;
// Bytes the heap in use may wander by after the warm-up.
const long kHeapSlack = 4096;

int CyclePosition(int actionId) {
  for (int position = 0; position < kActionCycleLength; ++position) {
    if (kActionCycle[position] == actionId)
      return position;
  }
  return -1;
}

// Ticks from one action's start to the next one's: its frames plus 30.
long StartToStart(int actionId) {
  switch (actionId) {
    case 4000:
      return 64;
    case 1055:
      return 150;
    case 1059:
      return 125;
    case 1225:
      return 106;
    case 1569:
      return 91;
    default:
      return -1;
  }
}

struct Soak {
  long failures = 0;
  long actions = 0;
  int lastAction = 0;
  int lastOriginX = 0, lastOriginY = 0;
  long lastStart = 0;
  bool wasPerforming = true;
  long heapFirst = -1, heapLow = 0, heapHigh = 0, heapLast = 0;
  int gdiFirst = -1, gdiLast = 0;

  void Fail(long tick, const std::string& what) {
    if (++failures <= 20)
      std::printf("FAIL at tick %ld: %s\n", tick, what.c_str());
  }

  void CheckStart(long tick, const Actor& actor, int width, int height) {
    ++actions;
    if (lastAction) {
      const int expected = kActionCycle[(CyclePosition(lastAction) + 1) % kActionCycleLength];
      if (actor.actionId != expected)
        Fail(tick, "action " + std::to_string(actor.actionId) + " after " + std::to_string(lastAction));
      if (tick - lastStart != StartToStart(lastAction))
        Fail(tick, "action " + std::to_string(lastAction) + " lasted " + std::to_string(tick - lastStart));
      // Quadrants in turn: upper left, lower right, upper right, lower left.
      const int centreX = width / 2, centreY = height / 2;
      int quadrant = -1;
      for (int q = 0; q < kStageQuadrants; ++q) {
        if (lastOriginX == centreX + kStageOffsets[q].x && lastOriginY == centreY + kStageOffsets[q].y)
          quadrant = q;
      }
      const StageOffset& next = kStageOffsets[(quadrant + 1) % kStageQuadrants];
      if (quadrant < 0 || actor.originX != centreX + next.x || actor.originY != centreY + next.y)
        Fail(tick, "stage origin out of turn");
    }
    lastAction = actor.actionId;
    lastOriginX = actor.originX;
    lastOriginY = actor.originY;
    lastStart = tick;
  }

  void Sample(long tick) {
    const long heap = static_cast<long>(__sanitizer_get_current_allocated_bytes());
    const int gdi = HeadlessLiveGdiObjects();
    if (heapFirst < 0) {
      heapFirst = heapLow = heapHigh = heap;
      gdiFirst = gdi;
    }
    heapLow = heap < heapLow ? heap : heapLow;
    heapHigh = heap > heapHigh ? heap : heapHigh;
    heapLast = heap;
    gdiLast = gdi;
    if (gdi != gdiFirst)
      Fail(tick, std::to_string(gdi) + " live GDI objects, " + std::to_string(gdiFirst) + " at the start");
  }
};

}  // namespace

int main(int argc, char** argv) {
  const long ticks = argc > 1 ? std::atol(argv[1]) : 0;
  int width = 1024, height = 768;
  unsigned dpi = 96;
  if (ticks < kWarmUpTicks || (argc > 2 && std::sscanf(argv[2], "%dx%d", &width, &height) != 2) ||
      (argc > 3 && std::sscanf(argv[3], "%u", &dpi) != 1)) {
    std::fprintf(stderr, "usage: saver_soak TICKS [WIDTHxHEIGHT [DPI]]  (TICKS at least %ld)\n",
                 kWarmUpTicks);
    return 2;
  }
  Soak soak;
  SavingRun run;
  run.width = width;
  run.height = height;
  run.ticks = ticks;
  run.dpi = dpi;
  run.afterTick = [&](long tick, HWND) {
    const Actor* actor = GetActor(0);
    if (!actor) {
      soak.Fail(tick, "no actor");
      return false;
    }
    const bool performing = actor->status == ActorStatus::kPerforming;
    if (performing && !soak.wasPerforming)
      soak.CheckStart(tick, *actor, displayMetrics.logicalWidth, displayMetrics.logicalHeight);
    soak.wasPerforming = performing;
    // The machine's own logs would otherwise grow with every tick.
    HeadlessClearLogs();
    if (tick >= kWarmUpTicks && (tick % kSampleEvery == 0 || tick == ticks))
      soak.Sample(tick);
    return soak.failures < 20;
  };
  const int exitCode = RunSavingMode(run);
  if (exitCode != 0)
    soak.Fail(ticks, "the saver ended with " + std::to_string(exitCode));
  if (soak.heapHigh - soak.heapLow > kHeapSlack)
    soak.Fail(ticks, "heap in use wandered by " + std::to_string(soak.heapHigh - soak.heapLow) + " bytes");
  if (HeadlessLiveGdiObjects() != 0)
    soak.Fail(ticks, std::to_string(HeadlessLiveGdiObjects()) + " GDI objects left after the saver ended");
  std::printf(
      "ticks=%ld screen=%dx%d factor=%d actions=%ld heap_at_%ld=%ld heap_at_end=%ld heap_range=%ld "
      "gdi_objects=%d..%d\n",
      ticks, width, height, displayMetrics.scaleFactor, soak.actions, kWarmUpTicks, soak.heapFirst,
      soak.heapLast, soak.heapHigh - soak.heapLow, soak.gdiFirst, soak.gdiLast);
  std::printf("%s\n", soak.failures ? "soak failed" : "soak passed");
  return soak.failures ? 1 : 0;
}
