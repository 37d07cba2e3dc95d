// The sprite format checks that keep the fuzz target's walks inside their bytes, as unit cases: each
// resource lies in a heap block of exactly its size, so a read past its end trips the sanitizer.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>

#include "sprites/frame_list.h"
#include "sprites/sprite_formats.h"
#include "tests/sprite_bytes.h"

namespace {

struct ExactBlock {
  explicit ExactBlock(const Bytes& bytes) : size(bytes.size()), data(new BYTE[bytes.size()]) {
    if (size)
      std::memcpy(data.get(), bytes.data(), size);
  }
  size_t size;
  std::unique_ptr<BYTE[]> data;
};

int Count(const Bytes& bytes) {
  const ExactBlock block(bytes);
  return CountBitmapFiles(block.data.get(), block.size);
}

// The file cut to `size` bytes, with bfSize saying so.
Bytes CutTo(Bytes file, size_t size) {
  file.resize(size);
  Put32(&file, 2, static_cast<uint32_t>(size));
  return file;
}

TEST(SpriteFormat, RowsFitWithTheirPaddingOrTheFileIsRejected) {
  for (int width : {1, 2, 3, 4, 5, 6, 7, 8, 73}) {
    for (int height : {1, 3}) {
      SCOPED_TRACE(testing::Message() << width << "x" << height);
      const Bytes file = BitmapFile(width, height, 1);
      const size_t stride = (width + 3) / 4 * 4;
      EXPECT_EQ(1, Count(file));
      EXPECT_EQ(0, Count(CutTo(file, file.size() - 1))) << "the last row's padding cut by one byte";
      EXPECT_EQ(width % 4 == 0 ? 1 : 0, Count(CutTo(file, 1078 + width * height))) << "rows without padding";

      const ExactBlock block(file);
      Frame* frame = nullptr;
      ASSERT_EQ(1, WalkFrames(&frame, block.data.get(), block.size, 1, FALSE, nullptr));
      EXPECT_EQ(block.data.get() + block.size, frame->bits + stride * height) << "the rows end the file";
      FreeFrames(frame);
    }
  }
}

TEST(SpriteFormat, PixelsMayStartPastTheColourTableButMustStillFit) {
  Bytes gap = BitmapFile(6, 3, 1);
  gap.insert(gap.begin() + 1078, 2, 0);
  Put32(&gap, 2, static_cast<uint32_t>(gap.size()));
  Put32(&gap, 10, 1080);
  EXPECT_EQ(1, Count(gap));
  EXPECT_EQ(0, Count(CutTo(gap, gap.size() - 1)));
}

TEST(SpriteFormat, DimensionsWhoseRowsOverflowAreRejected) {
  const struct {
    const char* what;
    uint32_t width, height;
  } cases[] = {
      {"largest", 0x7FFFFFFF, 0x7FFFFFFF},
      {"rows that wrap to 0 in 32 bits", 0x40000000, 4},
      {"padded width that wraps in 32 bits", 0x7FFFFFFE, 2},
  };
  for (const auto& c : cases) {
    Bytes file = BitmapFile(6, 3, 1);
    Put32(&file, 18, c.width);
    Put32(&file, 22, c.height);
    EXPECT_EQ(0, Count(file)) << c.what;
  }
}

// Every prefix of a run of two files is cut somewhere; only the ends of the files are whole runs.
TEST(SpriteFormat, EveryCutOfARunIsRejectedButAtAFilesEnd) {
  const Bytes first = BitmapFile(5, 2, 1), second = BitmapFile(3, 1, 2);
  const Bytes run = Concatenate({first, second});
  for (size_t size = 0; size <= run.size(); ++size) {
    const int expected = size == first.size() ? 1 : size == run.size() ? 2 : 0;
    ASSERT_EQ(expected, Count(Bytes(run.begin(), run.begin() + size))) << size << " bytes";
  }
}

TEST(SpriteFormat, PlacementDataIsWholeRecordsAndATrailer) {
  const struct {
    size_t size;
    int records;
  } cases[] = {
      {0, 0},
      {4, 0},
      {16, 0},
      {19, 0},
      {20, 1},
      {21, 0},
      {36, 2},
      {52, 3},
      {size_t{16} * INT_MAX + 4, INT_MAX},
      {size_t{16} * INT_MAX + 20, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.records, CountPlacementRecords(c.size)) << c.size;
}

}  // namespace
