#include "driver.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int Usage() {
  std::fputs(
      "usage: e2e_driver spawn TIMEOUT_MS COMMAND_LINE\n"
      "       e2e_driver saver-windows WAIT_MS\n"
      "       e2e_driver cursor\n"
      "       e2e_driver activate RUN_MS\n"
      "       e2e_driver owner-windows RUN_MS\n"
      "       e2e_driver preview WIDTH HEIGHT RUN_MS SAVER_PATH\n"
      "       e2e_driver dialog TITLE WAIT_MS [click:ID | pick:ID:INDEX ...]\n"
      "       e2e_driver monitors\n"
      "       e2e_driver class-windows CLASS COUNT WAIT_MS\n",
      stderr);
  return 2;
}

int ReportCursor() {
  POINT cursor = {};
  GetCursorPos(&cursor);
  Report("cursor", std::to_string(cursor.x) + "," + std::to_string(cursor.y));
  return 0;
}

DWORD Number(const char* text) {
  return static_cast<DWORD>(std::strtoul(text, nullptr, 10));
}

}  // namespace

int main(int argc, char** argv) {
  // The harness reads plain \n-terminated lines.
  _setmode(_fileno(stdout), _O_BINARY);
  if (argc == 4 && std::strcmp(argv[1], "spawn") == 0) {
    return RunSpawn(Number(argv[2]), argv[3]);
  }
  if (argc == 3 && std::strcmp(argv[1], "saver-windows") == 0) {
    return RunSaverWindows(Number(argv[2]));
  }
  if (argc == 2 && std::strcmp(argv[1], "cursor") == 0) {
    return ReportCursor();
  }
  if (argc == 3 && std::strcmp(argv[1], "activate") == 0) {
    return RunActivate(Number(argv[2]));
  }
  if (argc == 3 && std::strcmp(argv[1], "owner-windows") == 0) {
    return RunOwnerWindows(Number(argv[2]));
  }
  if (argc == 6 && std::strcmp(argv[1], "preview") == 0) {
    return RunPreview(static_cast<int>(Number(argv[2])), static_cast<int>(Number(argv[3])), Number(argv[4]),
                      argv[5]);
  }
  if (argc == 2 && std::strcmp(argv[1], "monitors") == 0) {
    return ReportMonitors();
  }
  if (argc == 5 && std::strcmp(argv[1], "class-windows") == 0) {
    return RunClassWindows(argv[2], Number(argv[3]), Number(argv[4]));
  }
  if (argc >= 4 && std::strcmp(argv[1], "dialog") == 0) {
    return RunDialog(argv[2], Number(argv[3]), argc - 4, argv + 4);
  }
  return Usage();
}
