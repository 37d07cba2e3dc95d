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

// The plain loop for each way, by depth 8, 16, 24, 32.
const Kernel kPlain[3][4] = {
    {PlainBlit<1, true, 1>, PlainBlit<2, true, 1>, PlainBlit<3, true, 1>, PlainBlit<4, true, 1>},
    {PlainBlit<1, true, -1>, PlainBlit<2, true, -1>, PlainBlit<3, true, -1>, PlainBlit<4, true, -1>},
    {PlainBlit<1, false, 1>, PlainBlit<2, false, 1>, PlainBlit<3, false, 1>, PlainBlit<4, false, 1>},
};

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

// Rows padded to whole 32-bit words.
LONG Stride(LONG width, LONG depth = 8) {
  return (width * depth + 31) / 32 * 4;
}

// One drawing of the region at column 0 of frame into a destination with guard bytes either side.
struct Drawing {
  Way way;
  LONG depth;
  LONG destinationWidth, width, rows, sourceWidth;
  DWORD key;
  size_t guard;
  std::vector<BYTE> frame;
  std::vector<BYTE> destination;  // guard, rows of the destination, guard
  std::vector<RGBQUAD> colours = std::vector<RGBQUAD>(256);
};

// The dispatcher's result and the plain loop's, whose steps are worked out here by hand. The source
// holds exactly the bytes the plain loop reads, so a kernel reading beyond them is caught, and the
// 8-bit kernels get no colour table at all.
std::pair<std::vector<BYTE>, std::vector<BYTE>> Draw(const Drawing& d) {
  const std::vector<BYTE> source(d.frame.begin(),
                                 d.frame.begin() + (d.rows - 1) * Stride(d.sourceWidth) + d.width);
  const BYTE* first = source.data() + (d.way == kKeyedMirrored ? d.width - 1 : 0);
  const RGBQUAD* colours = d.depth == 8 ? nullptr : d.colours.data();
  std::vector<BYTE> fast = d.destination, plain = d.destination;
  Dispatch(d.way, fast.data() + d.guard, d.destinationWidth, d.width, d.rows, d.sourceWidth, first, colours,
           d.key, d.depth);
  const LONG destinationStep = (d.destinationWidth * d.depth + 31) / 32 * 4 - d.width * d.depth / 8;
  const LONG sourceStep = Stride(d.sourceWidth) + (d.way == kKeyedMirrored ? d.width : -d.width);
  kPlain[d.way][d.depth / 8 - 1](plain.data() + d.guard, d.width, d.rows, first, colours, d.key,
                                 destinationStep, sourceStep);
  return {fast, plain};
}

// One row into a destination of 0xEE bytes; colour i is (blue i, green i + 1, red i + 2).
Drawing OneRow(Way way, LONG depth, const std::vector<BYTE>& row, DWORD key) {
  const LONG width = static_cast<LONG>(row.size());
  Drawing d{way, depth, width, width, 1, width, key, 8, row, {}};
  d.frame.resize(Stride(width));
  d.destination.assign(2 * d.guard + Stride(width, depth), 0xEE);
  for (int i = 0; i < 256; ++i) {
    d.colours[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i + 1), static_cast<BYTE>(i + 2), 0xAA};
  }
  return d;
}

TEST(BlitConversion, WritesEachDepthsPixelFormat) {
  const std::vector<std::vector<BYTE>> expected = {{3}, {0x00, 0x7E}, {7, 128, 255}, {7, 128, 255, 0}};
  std::vector<RGBQUAD> colours(256, RGBQUAD{1, 2, 3, 4});
  colours[3] = RGBQUAD{7, 128, 255, 0x55};  // blue, green, red, reserved
  const BYTE index = 3;
  for (Way way : kWays) {
    for (size_t i = 0; i < 4; ++i) {
      BYTE pixel[4] = {0xEE, 0xEE, 0xEE, 0xEE};
      Dispatch(way, pixel, 1, 1, 1, 1, &index, colours.data(), 1, kDepths[i]);
      EXPECT_EQ(std::vector<BYTE>(pixel, pixel + expected[i].size()), expected[i])
          << way << " " << kDepths[i];
    }
  }
}

TEST(BlitKeying, ComparesOnlyTheLowByteOfTheKey) {
  // Index 1 fills runs long enough for the word-at-a-time paths and the row's tail.
  std::vector<BYTE> row(21, 1);
  row[3] = row[12] = row[20] = 2;
  for (Way way : {kKeyed, kKeyedMirrored}) {
    for (LONG depth : kDepths) {
      const auto [fast, plain] = Draw(OneRow(way, depth, row, 257));
      EXPECT_EQ(fast, plain) << way << " " << depth;
      EXPECT_EQ(std::count(fast.begin(), fast.end(), 0xEE), static_cast<long>(fast.size()) - 3 * depth / 8);
    }
  }
}

TEST(BlitMirrored, ReversesEachRow) {
  const auto [fast, plain] = Draw(OneRow(kKeyedMirrored, 8, {10, 20, 30}, 1));
  EXPECT_EQ(std::vector<BYTE>(fast.begin() + 8, fast.begin() + 11), (std::vector<BYTE>{30, 20, 10}));
}

TEST(BlitDispatch, DrawsNothingWithoutAreaOrAtUnsupportedDepths) {
  const std::vector<RGBQUAD> colours(256, RGBQUAD{1, 2, 3, 4});
  const std::vector<BYTE> frame(64 * 4, 9), untouched(64 * 4 * 4, 0xEE);
  struct Case {
    LONG width, rows, depth;
  };
  for (const Case c : {Case{0, 4, 32}, Case{4, 0, 32}, Case{-3, 4, 16}, Case{4, -1, 8}, Case{4, 4, 15},
                       Case{4, 4, 0}, Case{4, 4, 4}, Case{4, 4, 31}, Case{4, 4, 33}}) {
    for (Way way : kWays) {
      std::vector<BYTE> destination = untouched;
      Dispatch(way, destination.data(), 64, c.width, c.rows, 64, frame.data() + 8, colours.data(), 1,
               c.depth);
      EXPECT_EQ(destination, untouched) << c.width << " " << c.rows << " " << c.depth;
    }
  }
}

TEST(BlitDispatch, SourceRowsAreWholeWordsLong) {
  // Both frame widths put the second row 64 bytes after the first.
  for (LONG sourceWidth : {61, 64}) {
    std::vector<BYTE> frame(2 * 64, 5);
    frame[64] = 6;
    frame[64 + 3] = 7;
    for (Way way : kWays) {
      BYTE destination[8] = {};
      const bool mirrored = way == kKeyedMirrored;
      Dispatch(way, destination, 4, 4, 2, sourceWidth, frame.data() + (mirrored ? 3 : 0), nullptr, 1, 8);
      const std::vector<BYTE> expected =
          mirrored ? std::vector<BYTE>{7, 5, 5, 6} : std::vector<BYTE>{6, 5, 5, 7};
      EXPECT_EQ(std::vector<BYTE>(destination + 4, destination + 8), expected) << sourceWidth << " " << way;
    }
  }
}

// Long transparent and opaque runs like real sprites, and noisy stretches where no eight-pixel group
// is uniform.
std::vector<BYTE> RandomFrame(std::mt19937& random, size_t size, BYTE key) {
  std::vector<BYTE> frame(size);
  std::uniform_int_distribution<int> byte(0, 255), run(1, 24), coin(0, 3);
  for (size_t i = 0; i < size;) {
    const int kind = coin(random);
    for (int n = run(random); n > 0 && i < size; --n, ++i) {
      const bool keyed = kind == 0 || (kind == 2 && coin(random) < 2);
      frame[i] = keyed ? key : static_cast<BYTE>(byte(random));
    }
  }
  return frame;
}

TEST(BlitKernels, MatchThePlainLoopOnRandomDrawings) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> small(0, 7), rows(1, 5), byte(0, 255);
  const auto randomByte = [&] { return static_cast<BYTE>(byte(random)); };
  for (Way way : kWays) {
    for (LONG depth : kDepths) {
      for (LONG width = 1; width <= 200; ++width) {
        // Wider destinations and frames give odd row paddings; the guard moves the alignment.
        Drawing d{way,
                  depth,
                  width + small(random),
                  width,
                  rows(random),
                  width + small(random),
                  static_cast<DWORD>(byte(random) + 256 * small(random)),
                  static_cast<size_t>(1 + small(random)),
                  {},
                  {}};
        d.frame = RandomFrame(random, Stride(d.sourceWidth) * d.rows, static_cast<BYTE>(d.key));
        d.destination.resize(2 * d.guard + Stride(d.destinationWidth, depth) * d.rows);
        std::generate(d.destination.begin(), d.destination.end(), randomByte);
        for (RGBQUAD& colour : d.colours) {
          colour = RGBQUAD{randomByte(), randomByte(), randomByte(), randomByte()};
        }
        const auto [fast, plain] = Draw(d);
        ASSERT_EQ(fast, plain) << "way " << way << " depth " << depth << " width " << width;
      }
    }
  }
}

}  // namespace
