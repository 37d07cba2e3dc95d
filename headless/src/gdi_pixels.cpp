// DIB pixel formats: 8 bits through a colour table, 16 and 32 bits through channel masks, 24 bits
// as blue, green, red bytes; rows padded to whole 32-bit words.
#include <algorithm>
#include <cstring>
#include <limits>

#include "gdi.h"

namespace {

// Larger pictures than this are refused like an exhausted system would.
const int64_t kMaxDibBytes = int64_t{1} << 30;

int Shift(DWORD mask) {
  return mask ? __builtin_ctz(mask) : 0;
}

int Width(DWORD mask) {
  return __builtin_popcount(mask);
}

// A channel of `bits` bits widened to 8 by repeating its high bits, as GDI does.
uint32_t Widen(uint32_t value, int bits) {
  if (bits <= 0)
    return 0;
  if (bits >= 8)
    return (value >> (bits - 8)) & 0xFF;
  uint32_t widened = value << (8 - bits);
  for (int filled = bits; filled < 8; filled += bits)
    widened |= widened >> bits;
  return widened & 0xFF;
}

uint32_t Channel(uint32_t pixel, DWORD mask) {
  return Widen((pixel & mask) >> Shift(mask), Width(mask));
}

uint32_t Narrow(uint32_t value8, DWORD mask) {
  const int bits = Width(mask);
  const uint32_t value = bits >= 8 ? value8 << (bits - 8) : value8 >> (8 - bits);
  return (value << Shift(mask)) & mask;
}

// A colour table of 16-bit indexes into the palette selected into dc (past its end they wrap round).
bool PaletteColours(HDC dc, const BYTE* indexes, std::vector<RGBQUAD>* colours) {
  const GdiObject* context = FindGdiObject(dc, GdiKind::DeviceContext);
  if (!context)
    return false;
  const GdiObject* palette = FindGdiObject(context->selectedPalette, GdiKind::Palette);
  if (!palette)
    palette = FindGdiObject(DefaultPalette(), GdiKind::Palette);
  const std::vector<PALETTEENTRY>& entries = palette->entries;
  for (size_t i = 0; i < colours->size(); ++i) {
    WORD index = 0;
    std::memcpy(&index, indexes + 2 * i, sizeof index);
    const PALETTEENTRY& entry = entries[index % entries.size()];
    (*colours)[i] = RGBQUAD{entry.peBlue, entry.peGreen, entry.peRed, 0};
  }
  return true;
}

BYTE* PixelAddress(const BitmapPixels& pixels, int x, int y) {
  const int row = pixels.bottomUp ? pixels.height - 1 - y : y;
  return pixels.bits + static_cast<ptrdiff_t>(row) * pixels.stride +
         static_cast<ptrdiff_t>(x) * (pixels.bitsPerPixel / 8);
}

}  // namespace

uint32_t RgbOf(const RGBQUAD& colour) {
  return uint32_t{colour.rgbRed} << 16 | uint32_t{colour.rgbGreen} << 8 | colour.rgbBlue;
}

uint32_t RgbOfColorref(COLORREF color) {
  return (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);
}

int NearestIndex(const std::vector<RGBQUAD>& table, uint32_t rgb) {
  int best = 0;
  int64_t bestDistance = std::numeric_limits<int64_t>::max();
  const int red = rgb >> 16 & 0xFF, green = rgb >> 8 & 0xFF, blue = rgb & 0xFF;
  for (size_t i = 0; i < table.size(); ++i) {
    const int dr = table[i].rgbRed - red, dg = table[i].rgbGreen - green, db = table[i].rgbBlue - blue;
    const int64_t distance = int64_t{dr} * dr + int64_t{dg} * dg + int64_t{db} * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

BITMAPINFOHEADER HeaderOf(const void* info) {
  BITMAPINFOHEADER header = {};
  if (info)
    std::memcpy(&header, info, sizeof header);
  return header;
}

bool DescribeDib(const void* info, UINT usage, HDC dc, bool withColours, BitmapPixels* pixels) {
  // Headers inside resources are often only 2-byte aligned: every field is copied out.
  const BITMAPINFOHEADER header = HeaderOf(info);
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 || header.biWidth <= 0 ||
      header.biHeight == 0 || header.biHeight == std::numeric_limits<LONG>::min() ||
      (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS)) {
    return false;
  }
  const int depth = header.biBitCount;
  const bool bitfields = header.biCompression == BI_BITFIELDS;
  if ((depth != 8 && depth != 16 && depth != 24 && depth != 32) ||
      (header.biCompression != BI_RGB && !(bitfields && (depth == 16 || depth == 32)))) {
    return false;
  }
  const int64_t width = header.biWidth;
  const int64_t height = header.biHeight < 0 ? -int64_t{header.biHeight} : header.biHeight;
  const int64_t stride = (width * depth + 31) / 32 * 4;
  if (stride * height > kMaxDibBytes)
    return false;

  pixels->width = static_cast<int>(width);
  pixels->height = static_cast<int>(height);
  pixels->bottomUp = header.biHeight > 0;
  pixels->bitsPerPixel = depth;
  pixels->stride = static_cast<LONG>(stride);
  pixels->colours.clear();
  const BYTE* afterHeader = static_cast<const BYTE*>(info) + sizeof(BITMAPINFOHEADER);
  // The masks follow the 40-byte header, in the colour table's place.
  DWORD masks[3] = {};
  if (bitfields)
    std::memcpy(masks, afterHeader, sizeof masks);
  if (depth == 8 && withColours) {
    const DWORD used = header.biClrUsed;
    pixels->colours.resize(used == 0 || used > 256 ? 256 : used);
    const BYTE* table = static_cast<const BYTE*>(info) + header.biSize;
    if (usage == DIB_RGB_COLORS)
      std::memcpy(pixels->colours.data(), table, pixels->colours.size() * sizeof(RGBQUAD));
    else if (!PaletteColours(dc, table, &pixels->colours))
      return false;
  } else if (depth == 16) {
    pixels->redMask = bitfields ? masks[0] : 0x7C00;
    pixels->greenMask = bitfields ? masks[1] : 0x3E0;
    pixels->blueMask = bitfields ? masks[2] : 0x1F;
  } else if (depth == 32) {
    pixels->redMask = bitfields ? masks[0] : 0xFF0000;
    pixels->greenMask = bitfields ? masks[1] : 0xFF00;
    pixels->blueMask = bitfields ? masks[2] : 0xFF;
  }
  return true;
}

uint32_t ReadPixel(const BitmapPixels& pixels, int x, int y) {
  const BYTE* at = PixelAddress(pixels, x, y);
  switch (pixels.bitsPerPixel) {
    case 8:
      return *at < pixels.colours.size() ? RgbOf(pixels.colours[*at]) : 0;
    case 24:
      return uint32_t{at[2]} << 16 | uint32_t{at[1]} << 8 | at[0];
    default: {
      const uint32_t value = RawPixel(pixels, x, y);
      if (pixels.bitsPerPixel == 32 && pixels.redMask == 0xFF0000 && pixels.greenMask == 0xFF00 &&
          pixels.blueMask == 0xFF) {
        return value & 0xFFFFFF;
      }
      return Channel(value, pixels.redMask) << 16 | Channel(value, pixels.greenMask) << 8 |
             Channel(value, pixels.blueMask);
    }
  }
}

uint32_t RawPixel(const BitmapPixels& pixels, int x, int y) {
  uint32_t value = 0;
  std::memcpy(&value, PixelAddress(pixels, x, y), pixels.bitsPerPixel / 8);
  return value;
}

bool SameLayout(const BitmapPixels& a, const BitmapPixels& b) {
  if (a.bitsPerPixel != b.bitsPerPixel)
    return false;
  if (a.bitsPerPixel == 8) {
    return std::equal(a.colours.begin(), a.colours.end(), b.colours.begin(), b.colours.end(),
                      [](const RGBQUAD& x, const RGBQUAD& y) { return RgbOf(x) == RgbOf(y); });
  }
  return a.redMask == b.redMask && a.greenMask == b.greenMask && a.blueMask == b.blueMask;
}

uint32_t EncodePixel(const BitmapPixels& pixels, uint32_t rgb) {
  switch (pixels.bitsPerPixel) {
    case 8:
      return static_cast<uint32_t>(NearestIndex(pixels.colours, rgb));
    case 24:
      return rgb;
    default:
      return Narrow(rgb >> 16 & 0xFF, pixels.redMask) | Narrow(rgb >> 8 & 0xFF, pixels.greenMask) |
             Narrow(rgb & 0xFF, pixels.blueMask);
  }
}

void StorePixel(BitmapPixels& pixels, int x, int y, uint32_t value) {
  std::memcpy(PixelAddress(pixels, x, y), &value, pixels.bitsPerPixel / 8);
}
