// The process heap: blocks from the C library, so that the sanitizers see them, with failures on
// request.
#include <cstdlib>

#include "world.h"

namespace {

// Any non-null value serves: there is one heap.
HANDLE const kProcessHeap = reinterpret_cast<HANDLE>(0x7000);

}  // namespace

HANDLE WINAPI GetProcessHeap(void) {
  return kProcessHeap;
}

LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD, SIZE_T bytes) {
  LogCall("HeapAlloc", heap, " bytes=", bytes);
  if (heap != kProcessHeap || ShouldFail("HeapAlloc"))
    return nullptr;
  // Zero-filled whether or not HEAP_ZERO_MEMORY was asked for; a zero-byte block is still a block.
  return std::calloc(1, bytes ? bytes : 1);
}

BOOL WINAPI HeapFree(HANDLE heap, DWORD, LPVOID block) {
  LogCall("HeapFree", heap, " block=", block);
  if (heap != kProcessHeap)
    return FALSE;
  std::free(block);
  return TRUE;
}
