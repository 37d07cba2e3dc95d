// The generated picture, placement, palette and sound resources keep the counts, sizes and limits
// that the saver's tables rely on.
#ifdef SAVER_ASSET_DIR
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadAsset(const std::string& name) {
  std::ifstream file(std::string(SAVER_ASSET_DIR) + "/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::uint32_t U16(const Bytes& b, std::size_t at) {
  return b[at] | b[at + 1] << 8;
}
std::uint32_t U32(const Bytes& b, std::size_t at) {
  return U16(b, at) | U16(b, at + 2) << 16;
}
int I16(const Bytes& b, std::size_t at) {
  return static_cast<std::int16_t>(U16(b, at));
}
std::string Tag(const Bytes& b, std::size_t at) {
  return std::string(b.begin() + at, b.begin() + at + 4);
}

constexpr std::size_t kColourTable = 54;
constexpr std::uint32_t kPixelOffset = 1078;

struct FrameSize {
  int width;
  int height;
};

// Checks one BMP file at `at` against the fixed header layout and the palette; returns its size.
FrameSize CheckBmp(const Bytes& run, std::size_t at, std::uint32_t pelsPerMeter, const Bytes& palette) {
  const int width = static_cast<int>(U32(run, at + 18)), height = static_cast<int>(U32(run, at + 22));
  const std::uint32_t stride = (width + 3) & ~3;
  EXPECT_EQ("BM", std::string(run.begin() + at, run.begin() + at + 2));
  EXPECT_EQ(kPixelOffset + stride * height, U32(run, at + 2));
  EXPECT_EQ(0u, U32(run, at + 6));
  EXPECT_EQ(kPixelOffset, U32(run, at + 10));
  EXPECT_EQ(40u, U32(run, at + 14));
  EXPECT_EQ(1u, U16(run, at + 26));
  EXPECT_EQ(8u, U16(run, at + 28));
  EXPECT_EQ(0u, U32(run, at + 30));
  EXPECT_EQ(stride * height, U32(run, at + 34));
  EXPECT_EQ(pelsPerMeter, U32(run, at + 38));
  EXPECT_EQ(pelsPerMeter, U32(run, at + 42));
  EXPECT_EQ(256u, U32(run, at + 46));
  EXPECT_EQ(256u, U32(run, at + 50));
  int paddingFaults = 0, colourFaults = 0, keyed = 0;
  for (int y = 0; y < height; ++y) {
    const std::size_t row = at + kPixelOffset + y * stride;
    for (std::uint32_t x = 0; x < stride; ++x) {
      const std::size_t index = run[row + x];
      if (x >= static_cast<std::uint32_t>(width)) {
        paddingFaults += index != 0;
      } else {
        keyed += index == 1;
        const auto colour = run.begin() + at + kColourTable + 4 * index;
        colourFaults += !std::equal(colour, colour + 4, palette.begin() + kColourTable + 4 * index);
      }
    }
  }
  EXPECT_EQ(0, paddingFaults);
  EXPECT_EQ(0, colourFaults) << "pixels whose colour differs from the palette's";
  EXPECT_GT(keyed, 0) << "no background around the picture";
  EXPECT_LT(keyed, width * height) << "nothing drawn";
  return {width, height};
}

// Walks a run of BMP files chained by their sizes; fails unless it ends exactly at the end.
std::vector<FrameSize> WalkRun(const Bytes& run, std::uint32_t pelsPerMeter, const Bytes& palette) {
  std::vector<FrameSize> frames;
  std::size_t at = 0;
  while (at + kPixelOffset <= run.size()) {
    const std::uint32_t size = U32(run, at + 2);
    if (size < kPixelOffset || at + size > run.size())
      break;
    frames.push_back(CheckBmp(run, at, pelsPerMeter, palette));
    at += size;
  }
  EXPECT_EQ(run.size(), at) << "the frames do not chain to the end";
  return frames;
}

struct ActionTable {
  int id;
  int frames;
  FrameSize first;
  int minWidth, maxWidth, minHeight, maxHeight;
};

const ActionTable kActions[] = {
    {1055, 120, {74, 96}, 73, 78, 93, 101},  {1059, 95, {73, 108}, 66, 82, 87, 108},
    {1225, 76, {14, 11}, 7, 104, 6, 118},    {1569, 61, {73, 108}, 71, 87, 102, 113},
    {4000, 34, {74, 108}, 29, 199, 27, 119},
};

TEST(GeneratedAssets, PaletteBitmapHasItsFixedLayoutAndFirstColours) {
  const Bytes pal = ReadAsset("IDR_MAINPAL_LOM4SCREEN.bmp");
  ASSERT_EQ(3022u, pal.size());
  EXPECT_EQ(3022u, U32(pal, 2));
  EXPECT_EQ(kPixelOffset, U32(pal, 10));
  EXPECT_EQ(40u, U32(pal, 14));
  EXPECT_EQ(108u, U32(pal, 18));
  EXPECT_EQ(18u, U32(pal, 22));
  EXPECT_EQ(8u, U16(pal, 28));
  EXPECT_EQ(1944u, U32(pal, 34));
  EXPECT_EQ(0u, U32(pal, 38) | U32(pal, 42));
  EXPECT_EQ(256u, U32(pal, 46));
  EXPECT_EQ(256u, U32(pal, 50));
  EXPECT_EQ((Bytes{255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
            Bytes(pal.begin() + kColourTable, pal.begin() + kColourTable + 12));
}

// An 8-bit display reserves 20 colours and gives a foreground palette the other 236 entries: with the
// reserved colours among its own and at most 236 others, every colour of the palette shows exactly.
TEST(GeneratedAssets, PaletteShowsExactlyOnAPaletteDisplay) {
  const Bytes pal = ReadAsset("IDR_MAINPAL_LOM4SCREEN.bmp");
  ASSERT_EQ(3022u, pal.size());
  const std::set<std::array<int, 3>> reserved = {
      {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
      {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
      {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
      {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
  std::set<std::array<int, 3>> own, reservedHeld;
  for (int index = 0; index < 256; ++index) {
    const std::size_t at = kColourTable + 4 * static_cast<std::size_t>(index);
    const std::array<int, 3> rgb = {pal[at + 2], pal[at + 1], pal[at]};
    (reserved.count(rgb) ? reservedHeld : own).insert(rgb);
  }
  EXPECT_EQ(reserved, reservedHeld);
  EXPECT_LE(own.size(), 236u);
}

TEST(GeneratedAssets, ActionsKeepTheirFrameTablesAndPlacementLimits) {
  const Bytes palette = ReadAsset("IDR_MAINPAL_LOM4SCREEN.bmp");
  ASSERT_EQ(3022u, palette.size());
  for (const ActionTable& action : kActions) {
    SCOPED_TRACE(action.id);
    const std::string name = "ID" + std::to_string(action.id) + "SHORT.bin";
    const std::vector<FrameSize> frames = WalkRun(ReadAsset("IDR_SPBMP_" + name), 2835, palette);
    ASSERT_EQ(static_cast<std::size_t>(action.frames), frames.size());
    EXPECT_EQ(action.first.width, frames[0].width);
    EXPECT_EQ(action.first.height, frames[0].height);
    const auto [narrow, wide] = std::minmax_element(
        frames.begin(), frames.end(), [](FrameSize a, FrameSize b) { return a.width < b.width; });
    const auto [low, tall] = std::minmax_element(
        frames.begin(), frames.end(), [](FrameSize a, FrameSize b) { return a.height < b.height; });
    EXPECT_EQ(action.minWidth, narrow->width);
    EXPECT_EQ(action.maxWidth, wide->width);
    EXPECT_EQ(action.minHeight, low->height);
    EXPECT_EQ(action.maxHeight, tall->height);

    const Bytes places = ReadAsset("IDR_SPBMPDATA_" + name);
    ASSERT_EQ(16u * action.frames + 4, places.size());
    for (int k = 0; k < action.frames; ++k) {
      const std::size_t at = 16u * k;
      EXPECT_EQ(0u, U32(places, at) | U32(places, at + 8) | U32(places, at + 12)) << "frame " << k;
      EXPECT_TRUE(I16(places, at + 4) >= 52 && I16(places, at + 4) <= 232) << "frame " << k;
      EXPECT_TRUE(I16(places, at + 6) >= 29 && I16(places, at + 6) <= 214) << "frame " << k;
    }
    EXPECT_EQ(0u, U32(places, 16u * action.frames));
    if (action.id == 1225) {
      EXPECT_EQ(158, I16(places, 4));
      EXPECT_EQ(29, I16(places, 6));
    }
  }
}

TEST(GeneratedAssets, LogosAreSingleFramesOfTheirSize) {
  const Bytes palette = ReadAsset("IDR_MAINPAL_LOM4SCREEN.bmp");
  const struct {
    const char* name;
    FrameSize size;
  } logos[] = {{"SLEEPY", {112, 23}},
               {"INTEREST", {124, 30}},
               {"ACROBAT", {84, 26}},
               {"JOY", {116, 30}},
               {"BIKKURI", {90, 36}}};
  for (const auto& logo : logos) {
    SCOPED_TRACE(logo.name);
    const std::vector<FrameSize> frames =
        WalkRun(ReadAsset(std::string("IDR_SPBMP_LOGO") + logo.name + ".bin"), 0, palette);
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(logo.size.width, frames[0].width);
    EXPECT_EQ(logo.size.height, frames[0].height);
  }
}

TEST(GeneratedAssets, SoundsAreMonoEightBitPcmOfTheirPlayingTime) {
  const struct {
    const char* name;
    int centiseconds;
  } sounds[] = {{"200", 318}, {"1014", 712}, {"1015", 53}, {"1049", 697}, {"1114", 427}};
  int factChunks = 0;
  for (const auto& sound : sounds) {
    SCOPED_TRACE(sound.name);
    const Bytes wave = ReadAsset(std::string("IDR_WAVE_") + sound.name + "_2.wav");
    ASSERT_GE(wave.size(), 12u);
    EXPECT_EQ("RIFF", Tag(wave, 0));
    EXPECT_EQ(wave.size(), U32(wave, 4) + 8);
    EXPECT_EQ("WAVE", Tag(wave, 8));
    bool format = false, data = false;
    long factSamples = -1;
    for (std::size_t at = 12; at + 8 <= wave.size() && !data; at += 8 + ((U32(wave, at + 4) + 1) & ~1u)) {
      const std::string tag = Tag(wave, at);
      const std::uint32_t length = U32(wave, at + 4);
      ASSERT_LE(at + 8 + length, wave.size());
      if (tag == "fmt ") {
        format = true;
        EXPECT_EQ(1u, U16(wave, at + 8));
        EXPECT_EQ(1u, U16(wave, at + 10));
        EXPECT_EQ(11025u, U32(wave, at + 12));
        EXPECT_EQ(11025u, U32(wave, at + 16));
        EXPECT_EQ(1u, U16(wave, at + 20));
        EXPECT_EQ(8u, U16(wave, at + 22));
      } else if (tag == "fact") {
        ++factChunks;
        factSamples = U32(wave, at + 8);
      } else if (tag == "data") {
        data = true;
        EXPECT_TRUE(format) << "data before fmt";
        EXPECT_EQ(sound.centiseconds, std::lround(length * 100.0 / 11025));
        if (factSamples >= 0) {
          EXPECT_EQ(length, static_cast<std::uint32_t>(factSamples));
        }
        ASSERT_GT(length, 0u);
        const auto samples = wave.begin() + at + 8;
        EXPECT_EQ(128, samples[0]) << "starts with a click";
        EXPECT_EQ(128, samples[length - 1]) << "ends with a click";
        const auto [quiet, loud] = std::minmax_element(samples, samples + length);
        EXPECT_TRUE(*quiet > 0 && *loud < 255) << "clipped";
      }
    }
    EXPECT_TRUE(data);
  }
  EXPECT_GE(factChunks, 1);
}

TEST(GeneratedAssets, IconHoldsThreeClassicBitmapImages) {
  const Bytes icon = ReadAsset("saver.ico");
  ASSERT_GE(icon.size(), 6u + 3 * 16);
  EXPECT_EQ(0u, U16(icon, 0));
  EXPECT_EQ(1u, U16(icon, 2));
  ASSERT_EQ(3u, U16(icon, 4));
  for (std::uint32_t i = 0, size = 16; i < 3; ++i, size += 16) {
    SCOPED_TRACE(size);
    const std::size_t entry = 6 + 16 * i;
    EXPECT_EQ(size, icon[entry]);
    EXPECT_EQ(size, icon[entry + 1]);
    const std::uint32_t bytes = U32(icon, entry + 8), offset = U32(icon, entry + 12);
    const std::uint32_t maskBytes = (size + 31) / 32 * 4 * size;
    EXPECT_EQ(40 + size * size * 4 + maskBytes, bytes);
    ASSERT_LE(offset + bytes, icon.size());
    EXPECT_EQ(40u, U32(icon, offset));
    EXPECT_EQ(size, U32(icon, offset + 4));
    EXPECT_EQ(2 * size, U32(icon, offset + 8));
    EXPECT_EQ(32u, U16(icon, offset + 14));
    EXPECT_EQ(0u, U32(icon, offset + 16));
  }
}

}  // namespace
#endif
