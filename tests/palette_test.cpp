// The main palette from the MAINPAL bitmap, and the black palette that clears the screen's colours.
#include "render/palette.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "headless/control_resources.h"
#include "sprites/bitmap_format.h"
#include "tests/render_test_support.h"

namespace {

const char kPaletteName[] = "IDR_MAINPAL_LOM4SCREEN";

class PaletteTest : public RenderTest {};

// A header at a 2-byte aligned address, as in a resource, followed by `entries` colour-table slots.
struct HeaderBlock {
  std::vector<BYTE> bytes;
  const BITMAPINFOHEADER* Header() const {
    return reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data() + 2);
  }
};

HeaderBlock MakeHeader(WORD bitCount, DWORD clrUsed, DWORD size = kBitmapInfoHeaderSize, int slots = 0) {
  HeaderBlock block;
  block.bytes.assign(2 + kBitmapInfoHeaderSize + 4 * slots, 0);
  BITMAPINFOHEADER header = {};
  header.biSize = size;
  header.biBitCount = bitCount;
  header.biClrUsed = clrUsed;
  std::memcpy(block.bytes.data() + 2, &header, sizeof header);
  for (int i = 0; i < slots; ++i) {
    BYTE* slot = block.bytes.data() + 2 + kBitmapInfoHeaderSize + 4 * i;
    slot[0] = static_cast<BYTE>(i);      // blue
    slot[1] = static_cast<BYTE>(i + 1);  // green
    slot[2] = static_cast<BYTE>(i + 2);  // red
    slot[3] = 0xEE;                      // reserved, never copied
  }
  return block;
}

void InstallPalette(const std::vector<BYTE>& file) {
  HeadlessSetResource("MAINPAL", kPaletteName, file);
}

TEST_F(PaletteTest, ColourTableLengthFollowsClrUsedThenTheDepth) {
  EXPECT_EQ(256u, ColorTableLength(MakeHeader(8, 0).Header()));
  EXPECT_EQ(16u, ColorTableLength(MakeHeader(4, 0).Header()));
  EXPECT_EQ(2u, ColorTableLength(MakeHeader(1, 0).Header()));
  EXPECT_EQ(0u, ColorTableLength(MakeHeader(24, 0).Header()));
  EXPECT_EQ(0u, ColorTableLength(MakeHeader(16, 0).Header()));
  EXPECT_EQ(200u, ColorTableLength(MakeHeader(8, 200).Header()));
  EXPECT_EQ(12u, ColorTableLength(MakeHeader(24, 12).Header()));
}

TEST_F(PaletteTest, EntriesComeFromTheTableFortyBytesAfterTheHeader) {
  // biSize claims a larger header; the table is still read right after the first 40 bytes.
  const HeaderBlock block = MakeHeader(8, 200, 108, 200);
  LOGPALETTE* palette = LogPaletteFromBitmap(block.Header());
  ASSERT_NE(nullptr, palette);
  EXPECT_EQ(0x300, palette->palVersion);
  ASSERT_EQ(200, palette->palNumEntries);
  for (int i : {0, 1, 199}) {
    const PALETTEENTRY& entry = palette->palPalEntry[i];
    EXPECT_EQ(i + 2, entry.peRed);
    EXPECT_EQ(i + 1, entry.peGreen);
    EXPECT_EQ(i, entry.peBlue);
    EXPECT_EQ(0, entry.peFlags);
  }
  std::free(palette);

  LOGPALETTE* none = LogPaletteFromBitmap(MakeHeader(24, 0).Header());
  ASSERT_NE(nullptr, none);
  EXPECT_EQ(0, none->palNumEntries);
  std::free(none);
}

TEST_F(PaletteTest, MainPaletteHoldsTheResourceColoursUntilReleased) {
  InstallPalette(MakeFrame(108, 18, 0).file);
  HPALETTE palette = CreateMainPalette(GetModuleHandleA(nullptr), kPaletteName);
  ASSERT_NE(nullptr, palette);
  EXPECT_EQ(palette, mainPalette.handle);
  ASSERT_NE(nullptr, mainPalette.entries);
  ASSERT_EQ(256, mainPalette.entries->palNumEntries);
  const PALETTEENTRY* entries = mainPalette.entries->palPalEntry;
  EXPECT_EQ(255, entries[0].peRed);
  EXPECT_EQ(255, entries[0].peGreen);
  EXPECT_EQ(255, entries[0].peBlue);
  for (int i : {1, 2})
    EXPECT_EQ(0, entries[i].peRed + entries[i].peGreen + entries[i].peBlue);
  const std::vector<PALETTEENTRY> made = HeadlessPaletteEntries(palette);
  ASSERT_EQ(256u, made.size());
  EXPECT_EQ(0, std::memcmp(made.data(), entries, 256 * sizeof(PALETTEENTRY)));
  for (const PALETTEENTRY& entry : made)
    EXPECT_EQ(0, entry.peFlags);
  EXPECT_TRUE(HeadlessMessageBoxes().empty());

  ReleaseMainPalette();
  EXPECT_EQ(nullptr, mainPalette.handle);
  EXPECT_EQ(nullptr, mainPalette.entries);
  EXPECT_EQ(0, HeadlessLiveGdiObjects());
  ReleaseMainPalette();
  EXPECT_EQ(1, CountCalls("DeleteObject")) << "the second release has nothing to delete";
}

TEST_F(PaletteTest, ShippedPaletteStartsWithWhiteAndTwoBlacks) {
  HPALETTE palette = CreateMainPalette(GetModuleHandleA(nullptr), kPaletteName);
  ASSERT_NE(nullptr, palette) << "the resource script carries the palette";
  const std::vector<PALETTEENTRY> entries = HeadlessPaletteEntries(palette);
  ASSERT_EQ(256u, entries.size());
  EXPECT_EQ(255 * 3, entries[0].peRed + entries[0].peGreen + entries[0].peBlue);
  for (int i : {1, 2})
    EXPECT_EQ(0, entries[i].peRed + entries[i].peGreen + entries[i].peBlue);
  for (const PALETTEENTRY& entry : entries)
    EXPECT_EQ(0, entry.peFlags);
}

TEST_F(PaletteTest, MissingOrTruncatedResourceIsToldAndLeavesNothing) {
  const std::vector<BYTE> whole = MakeFrame(108, 18, 0).file;
  const std::vector<std::vector<BYTE>> resources = {
      {},
      {whole.begin(), whole.begin() + 60},
      {whole.begin(), whole.begin() + kBitmapColourTableOffset + 4 * 255}};
  for (size_t i = 0; i <= resources.size(); ++i) {
    SCOPED_TRACE(i);
    SetUp();
    if (i < resources.size())
      InstallPalette(resources[i]);
    else
      HeadlessRemoveResource("MAINPAL", kPaletteName);
    EXPECT_EQ(nullptr, CreateMainPalette(GetModuleHandleA(nullptr), kPaletteName));
    EXPECT_EQ(nullptr, mainPalette.entries);
    ASSERT_EQ(1u, HeadlessMessageBoxes().size());
    const HeadlessMessageBox& box = HeadlessMessageBoxes()[0];
    EXPECT_EQ(nullptr, box.owner);
    EXPECT_EQ("CreateMainPalette LoadResource Error.", box.text);
    EXPECT_EQ("<null>", box.caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), box.type);
    EXPECT_EQ(0, HeadlessLiveGdiObjects());
  }
}

TEST_F(PaletteTest, APaletteThatCannotBeMadeKeepsItsEntriesForTheFrameBuffer) {
  InstallPalette(MakeFrame(108, 18, 0).file);
  HeadlessFailCall("CreatePalette");
  EXPECT_EQ(nullptr, CreateMainPalette(GetModuleHandleA(nullptr), kPaletteName));
  EXPECT_NE(nullptr, mainPalette.entries);
  EXPECT_TRUE(HeadlessMessageBoxes().empty()) << "only a missing resource is told";
  ReleaseMainPalette();
  EXPECT_EQ(nullptr, mainPalette.entries);
}

TEST_F(PaletteTest, CreatingAgainReplacesTheFirstPalette) {
  InstallPalette(MakeFrame(108, 18, 0).file);
  CreateMainPalette(GetModuleHandleA(nullptr), kPaletteName);
  CreateMainPalette(GetModuleHandleA(nullptr), kPaletteName);
  EXPECT_EQ(1, HeadlessLiveGdiObjects(HeadlessGdiKind::Palette));
}

TEST_F(PaletteTest, ClearingRealisesAllBlackNoCollapseEntriesAndRestoresTheScreen) {
  HeadlessSetBitsPerPixel(8);
  ClearSystemPalette();
  const std::vector<PALETTEENTRY> screen = HeadlessSystemPalette();
  ASSERT_EQ(256u, screen.size());
  for (const PALETTEENTRY& entry : screen) {
    EXPECT_EQ(0, entry.peRed + entry.peGreen + entry.peBlue);
    EXPECT_EQ(PC_NOCOLLAPSE, entry.peFlags);
  }
  EXPECT_EQ((std::vector<std::string>{"GetDC", "CreatePalette", "SelectPalette", "RealizePalette",
                                      "SelectPalette", "DeleteObject", "ReleaseDC"}),
            HeadlessCallNames());
  const std::vector<std::string> selections = HeadlessCallsOf("SelectPalette");
  EXPECT_NE(std::string::npos, selections[0].find(" bg=0"));
  EXPECT_NE(std::string::npos, selections[1].find(" bg=0"));
  EXPECT_EQ(0, HeadlessLiveGdiObjects());
}

TEST_F(PaletteTest, ClearingRunsTheSameWayOnDirectColourDisplays) {
  HeadlessSetBitsPerPixel(24);
  ClearSystemPalette();
  EXPECT_EQ(1, CountCalls("RealizePalette"));
  EXPECT_TRUE(HeadlessSystemPalette().empty());
  EXPECT_EQ(0, HeadlessLiveGdiObjects());
}

}  // namespace
