// The application extension that makes an animated GIF play round and round.
#pragma once
#include <gif_lib.h>

inline bool PutGifLoopExtension(GifFileType* gif) {
  static const char kNetscape[] = "NETSCAPE2.0";
  unsigned char loop[3] = {1, 0, 0};  // sub-block 1, repeat count 0: for ever
  return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, 11, kNetscape) == GIF_OK &&
         EGifPutExtensionBlock(gif, 3, loop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
}
