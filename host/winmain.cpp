// The runtime's start-up code calls WinMain; the saver reads its command line itself.
#include <windows.h>

#include "host/entry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  SaverEntry();
}
