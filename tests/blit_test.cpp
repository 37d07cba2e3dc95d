#include "render/blit.h"
#include "tests/blit_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {

enum Way { kKeyed, kKeyedMirrored, kOpaque };
const Way kWays[] = {kKeyed, kKeyedMirrored, kOpaque};
const LONG kDepths[] = {8, 16, 24, 32};

using Kernel = void (*)(BYTE*, LONG, LONG, const BYTE*, const RGBQUAD*, DWORD, LONG, LONG);

struct KernelCase {
  Way way;
  LONG depth;
  Kernel kernel;
  Kernel plain;
};

template <void (*kOpaqueKernel)(BYTE*, LONG, LONG, const BYTE*, const RGBQUAD*, LONG, LONG)>
void WithoutKey(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
                DWORD, LONG destinationStep, LONG sourceStep) {
  kOpaqueKernel(destination, width, rows, source, colourTable, destinationStep, sourceStep);
}

const KernelCase kKernels[] = {
    {kKeyed, 8, BlitKeyed8, PlainBlit<1, true, 1>},
    {kKeyed, 16, BlitKeyed16, PlainBlit<2, true, 1>},
    {kKeyed, 24, BlitKeyed24, PlainBlit<3, true, 1>},
    {kKeyed, 32, BlitKeyed32, PlainBlit<4, true, 1>},
    {kKeyedMirrored, 8, BlitKeyedMirrored8, PlainBlit<1, true, -1>},
    {kKeyedMirrored, 16, BlitKeyedMirrored16, PlainBlit<2, true, -1>},
    {kKeyedMirrored, 24, BlitKeyedMirrored24, PlainBlit<3, true, -1>},
    {kKeyedMirrored, 32, BlitKeyedMirrored32, PlainBlit<4, true, -1>},
    {kOpaque, 8, WithoutKey<BlitOpaque8>, PlainBlit<1, false, 1>},
    {kOpaque, 16, WithoutKey<BlitOpaque16>, PlainBlit<2, false, 1>},
    {kOpaque, 24, WithoutKey<BlitOpaque24>, PlainBlit<3, false, 1>},
    {kOpaque, 32, WithoutKey<BlitOpaque32>, PlainBlit<4, false, 1>},
};

const KernelCase& KernelFor(Way way, LONG depth) {
  for (const KernelCase& entry : kKernels) {
    if (entry.way == way && entry.depth == depth) {
      return entry;
    }
  }
  return kKernels[0];
}

void Dispatch(Way way, BYTE* destination, LONG destinationWidth, LONG width, LONG rows, LONG sourceWidth,
              const BYTE* source, const RGBQUAD* colourTable, DWORD key, LONG depth) {
  if (way == kKeyed) {
    BlitKeyed(destination, destinationWidth, width, rows, sourceWidth, source, colourTable, key, depth);
  } else if (way == kKeyedMirrored) {
    BlitKeyedMirrored(destination, destinationWidth, width, rows, sourceWidth, source, colourTable, key,
                      depth);
  } else {
    BlitOpaque(destination, destinationWidth, width, rows, sourceWidth, source, colourTable, depth);
  }
}

// One drawing into a guarded destination, done once by a dispatcher and once by the plain loop. The
// source buffer holds exactly the bytes the plain loop reads, so any read beyond them is caught.
struct Drawing {
  Way way;
  LONG depth;
  LONG destinationWidth;
  LONG width;
  LONG rows;
  LONG sourceWidth;
  DWORD key;
  std::vector<BYTE> frame;  // rows of sourceWidth rounded up to 4, the region starting at column 0
  std::vector<RGBQUAD> colours;
  std::vector<BYTE> before;  // guard, destination rows, guard
  size_t guard;
};

LONG Stride(LONG sourceWidth) {
  return (sourceWidth + 3) / 4 * 4;
}

// Result of the dispatcher first, then of the plain loop with the steps worked out by hand.
std::pair<std::vector<BYTE>, std::vector<BYTE>> Draw(const Drawing& d) {
  const LONG bytes = d.depth / 8;
  const LONG firstColumn = d.way == kKeyedMirrored ? d.width - 1 : 0;
  const RGBQUAD* colours = d.depth == 8 ? nullptr : d.colours.data();
  std::vector<BYTE> source(d.frame.begin(), d.frame.begin() + (d.rows - 1) * Stride(d.sourceWidth) + d.width);
  std::vector<BYTE> fast = d.before;
  Dispatch(d.way, fast.data() + d.guard, d.destinationWidth, d.width, d.rows, d.sourceWidth,
           source.data() + firstColumn, colours, d.key, d.depth);
  std::vector<BYTE> plain = d.before;
  const LONG rowStride = (d.destinationWidth * d.depth + 31) / 32 * 4;
  const LONG sourceStep = Stride(d.sourceWidth) + (d.way == kKeyedMirrored ? d.width : -d.width);
  KernelFor(d.way, d.depth)
      .plain(plain.data() + d.guard, d.width, d.rows, source.data() + firstColumn, colours, d.key,
             rowStride - d.width * bytes, sourceStep);
  return {fast, plain};
}

Drawing SmallDrawing(Way way, LONG depth, std::vector<BYTE> row, DWORD key) {
  const LONG width = static_cast<LONG>(row.size());
  Drawing d{way, depth, width, width, 1, width, key, row, std::vector<RGBQUAD>(256), {}, 8};
  d.frame.resize(Stride(width));
  for (int i = 0; i < 256; ++i) {
    d.colours[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i + 1), static_cast<BYTE>(i + 2), 0xAA};
  }
  d.before.assign(2 * d.guard + (width * depth + 31) / 32 * 4, 0xEE);
  return d;
}

TEST(BlitRowStride, RoundsRowsUpToWholeWords) {
  EXPECT_EQ(FrameBufferRowStride(641, 24), 1924);
  EXPECT_EQ(FrameBufferRowStride(641, 16), 1284);
  EXPECT_EQ(FrameBufferRowStride(641, 8), 644);
  EXPECT_EQ(FrameBufferRowStride(640, 32), 2560);
}

TEST(BlitConversion, WritesEachDepthsPixelFormat) {
  const RGBQUAD colour{7, 128, 255, 0x55};  // blue, green, red, reserved
  const std::vector<std::vector<BYTE>> expected = {{3}, {0x00, 0x7E}, {7, 128, 255}, {7, 128, 255, 0}};
  for (Way way : kWays) {
    for (size_t i = 0; i < 4; ++i) {
      std::vector<RGBQUAD> colours(256, RGBQUAD{1, 2, 3, 4});
      colours[3] = colour;
      BYTE pixel[4] = {0xEE, 0xEE, 0xEE, 0xEE};
      const BYTE index = 3;
      Dispatch(way, pixel, 1, 1, 1, 1, &index, colours.data(), 1, kDepths[i]);
      EXPECT_EQ(std::vector<BYTE>(pixel, pixel + expected[i].size()), expected[i])
          << way << " " << kDepths[i];
    }
  }
}

TEST(BlitKeying, ComparesOnlyTheLowByteOfTheKey) {
  // Index 1 sits in runs long enough for word-at-a-time paths and in the row's tail.
  std::vector<BYTE> row(21, 1);
  row[3] = row[12] = row[20] = 2;
  for (Way way : {kKeyed, kKeyedMirrored}) {
    for (LONG depth : kDepths) {
      const Drawing d = SmallDrawing(way, depth, row, 257);
      const auto [fast, plain] = Draw(d);
      EXPECT_EQ(fast, plain) << way << " " << depth;
      EXPECT_EQ(std::count(fast.begin(), fast.end(), 0xEE), static_cast<long>(fast.size()) - 3 * depth / 8);
    }
  }
}

TEST(BlitMirrored, ReversesEachRow) {
  const Drawing d = SmallDrawing(kKeyedMirrored, 8, {10, 20, 30}, 1);
  const auto [fast, plain] = Draw(d);
  EXPECT_EQ(std::vector<BYTE>(fast.begin() + 8, fast.begin() + 11), (std::vector<BYTE>{30, 20, 10}));
}

TEST(BlitDispatch, DrawsNothingWithoutAreaOrAtUnsupportedDepths) {
  std::vector<RGBQUAD> colours(256, RGBQUAD{1, 2, 3, 4});
  const std::vector<BYTE> frame(64 * 4, 9);
  struct Case {
    LONG width, rows, depth;
  };
  for (const Case c : {Case{0, 4, 32}, Case{4, 0, 32}, Case{-3, 4, 16}, Case{4, -1, 8}, Case{4, 4, 15},
                       Case{4, 4, 0}, Case{4, 4, 4}, Case{4, 4, 31}, Case{4, 4, 33}}) {
    for (Way way : kWays) {
      std::vector<BYTE> destination(64 * 4 * 4, 0xEE);
      Dispatch(way, destination.data(), 64, c.width, c.rows, 64, frame.data() + 8, colours.data(), 1,
               c.depth);
      EXPECT_EQ(destination, std::vector<BYTE>(64 * 4 * 4, 0xEE))
          << c.width << " " << c.rows << " " << c.depth;
    }
  }
}

TEST(BlitDispatch, SourceRowsAreWholeWordsLong) {
  // Second row of the frame starts 64 bytes in for widths 61 and 64.
  for (LONG sourceWidth : {61, 64}) {
    std::vector<BYTE> frame(2 * 64, 5);
    frame[64] = 6;
    frame[64 + 3] = 7;
    for (Way way : kWays) {
      BYTE destination[8] = {};
      const BYTE* source = way == kKeyedMirrored ? frame.data() + 3 : frame.data();
      Dispatch(way, destination, 4, 4, 2, sourceWidth, source, nullptr, 1, 8);
      const BYTE first = way == kKeyedMirrored ? 7 : 6;
      const BYTE last = way == kKeyedMirrored ? 6 : 7;
      EXPECT_EQ(std::vector<BYTE>(destination + 4, destination + 8), (std::vector<BYTE>{first, 5, 5, last}))
          << sourceWidth << " " << way;
    }
  }
}

// Frames mix long transparent and opaque runs with scattered key pixels, like real sprites, and a
// noisy stretch that leaves no eight-pixel group uniform.
std::vector<BYTE> RandomFrame(std::mt19937& random, size_t size, BYTE key) {
  std::vector<BYTE> frame(size);
  std::uniform_int_distribution<int> byte(0, 255), run(1, 24), coin(0, 3);
  for (size_t i = 0; i < size;) {
    const int kind = coin(random);
    for (int n = run(random); n > 0 && i < size; --n, ++i) {
      const bool noisyKey = kind == 2 && coin(random) < 2;
      frame[i] = kind == 0 || noisyKey ? key : static_cast<BYTE>(byte(random));
    }
  }
  return frame;
}

TEST(BlitKernels, MatchThePlainLoopOnRandomDrawings) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> small(0, 7), rows(1, 5), byte(0, 255);
  for (Way way : kWays) {
    for (LONG depth : kDepths) {
      for (LONG width = 1; width <= 200; ++width) {
        Drawing d{way,
                  depth,
                  width + small(random),
                  width,
                  rows(random),
                  width + small(random),
                  static_cast<DWORD>(byte(random) + 256 * small(random)),
                  {},
                  std::vector<RGBQUAD>(256),
                  {},
                  static_cast<size_t>(1 + small(random))};
        d.frame = RandomFrame(random, Stride(d.sourceWidth) * d.rows, static_cast<BYTE>(d.key));
        for (RGBQUAD& colour : d.colours) {
          colour = RGBQUAD{static_cast<BYTE>(byte(random)), static_cast<BYTE>(byte(random)),
                           static_cast<BYTE>(byte(random)), static_cast<BYTE>(byte(random))};
        }
        d.before.resize(2 * d.guard + FrameBufferRowStride(d.destinationWidth, depth) * d.rows);
        for (BYTE& b : d.before) {
          b = static_cast<BYTE>(byte(random));
        }
        const auto [fast, plain] = Draw(d);
        ASSERT_EQ(fast, plain) << "way " << way << " depth " << depth << " width " << width;
      }
    }
  }
}

}  // namespace
