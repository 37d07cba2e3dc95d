// The real saver's saving mode on the headless machine, with its real resources, for instruction
// counts under callgrind. Creation and the first tick run uncounted; then the counters are zeroed,
// TICKS more ticks run and the counts are dumped before the saver is ended by a key, so the dump
// holds exactly those ticks. Outside valgrind the requests do nothing.
// usage: saver_ticks SEED TICKS [WIDTHxHEIGHT [BITS [DPI]]]   (1920x1080 at 32 bits, 96 DPI by default)
// Prints the first action of that seed (the cycle's entry point) and the ticks counted.
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>

#include "headless/control.h"
#include "scene/actor.h"
#include "saver_run/saving_run.h"

int main(int argc, char** argv) {
  SavingRun run;
  run.width = 1920;
  run.height = 1080;
  run.bitsPerPixel = 32;
  const long ticks = argc > 2 ? std::atol(argv[2]) : -1;
  if (argc < 3 || ticks < 0 || (argc > 3 && std::sscanf(argv[3], "%dx%d", &run.width, &run.height) != 2) ||
      (argc > 4 && std::sscanf(argv[4], "%d", &run.bitsPerPixel) != 1) ||
      (argc > 5 && std::sscanf(argv[5], "%u", &run.dpi) != 1)) {
    std::fprintf(stderr, "usage: saver_ticks SEED TICKS [WIDTHxHEIGHT [BITS [DPI]]]\n");
    return 2;
  }
  run.seed = static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10));
  run.ticks = 1 + ticks;
  int entry = 0;
  long counted = 0;
  run.afterTick = [&](long tick, HWND) {
    // The machine's own logs would otherwise grow with every tick.
    HeadlessClearLogs();
    if (tick == 1) {
      const Actor* actor = GetActor(0);
      entry = actor ? actor->actionId : 0;
      CALLGRIND_ZERO_STATS;
    } else {
      counted = tick - 1;
    }
    if (tick == run.ticks)
      CALLGRIND_DUMP_STATS_AT("saver ticks");
    return true;
  };
  const int exitCode = RunSavingMode(run);
  std::printf("seed=%u entry=%d ticks=%ld screen=%dx%dx%d dpi=%u exit=%d\n", run.seed, entry, counted,
              run.width, run.height, run.bitsPerPixel, run.dpi, exitCode);
  return exitCode == 0 && entry != 0 ? 0 : 1;
}
