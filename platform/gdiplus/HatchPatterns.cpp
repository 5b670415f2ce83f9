// The 8x8 tiles of the hatch styles, drawn for this project. Percentage
// styles use an ordered-dither threshold so the dots spread evenly.
#include <array>

#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/GdiPlusPrivate.h"

namespace Gdiplus {

namespace {

using Tile = std::array<BYTE, 8>;

constexpr BYTE Ror(BYTE v, int n) {
  return BYTE((v >> (n & 7)) | (v << ((8 - (n & 7)) & 7)));
}
constexpr BYTE Rol(BYTE v, int n) {
  return BYTE((v << (n & 7)) | (v >> ((8 - (n & 7)) & 7)));
}

constexpr int kDither[8][8] = {{0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
                               {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
                               {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
                               {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};

// Cells lit out of 64 for the percentage styles 5 .. 90.
constexpr int kPercentCells[] = {3, 6, 13, 16, 19, 26, 32, 38, 45, 48, 51, 58};

Tile Dither(int cells) {
  Tile t{};
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 8; ++c)
      if (kDither[r][c] < cells) t[r] |= BYTE(0x80 >> c);
  return t;
}

template <typename F>
Tile Rows(F f) {
  Tile t{};
  for (int r = 0; r < 8; ++r) t[r] = f(r);
  return t;
}

Tile Blocks(std::initializer_list<std::pair<int, int>> blocks) {
  Tile t{};
  for (auto [c, r] : blocks)
    for (int dr = 0; dr < 2; ++dr)
      for (int dc = 0; dc < 2; ++dc) t[(r + dr) & 7] |= BYTE(0x80 >> ((c + dc) & 7));
  return t;
}

Tile Pattern(HatchStyle style) {
  switch (style) {
    case HatchStyleHorizontal:
      return {0xFF, 0, 0, 0, 0, 0, 0, 0};
    case HatchStyleVertical:
      return Rows([](int) { return BYTE(0x80); });
    case HatchStyleForwardDiagonal:
      return Rows([](int r) { return Ror(0x80, r); });
    case HatchStyleBackwardDiagonal:
      return Rows([](int r) { return Rol(0x01, r); });
    case HatchStyleCross:
      return Rows([](int r) { return BYTE(r == 0 ? 0xFF : 0x80); });
    case HatchStyleDiagonalCross:
      return Rows([](int r) { return BYTE(Ror(0x80, r) | Rol(0x01, r)); });
    case HatchStyle05Percent:
    case HatchStyle10Percent:
    case HatchStyle20Percent:
    case HatchStyle25Percent:
    case HatchStyle30Percent:
    case HatchStyle40Percent:
    case HatchStyle50Percent:
    case HatchStyle60Percent:
    case HatchStyle70Percent:
    case HatchStyle75Percent:
    case HatchStyle80Percent:
    case HatchStyle90Percent:
      return Dither(kPercentCells[style - HatchStyle05Percent]);
    case HatchStyleLightDownwardDiagonal:
      return Rows([](int r) { return Ror(0x88, r); });
    case HatchStyleLightUpwardDiagonal:
      return Rows([](int r) { return Rol(0x11, r); });
    case HatchStyleDarkDownwardDiagonal:
      return Rows([](int r) { return Ror(0xCC, r); });
    case HatchStyleDarkUpwardDiagonal:
      return Rows([](int r) { return Rol(0xCC, r); });
    case HatchStyleWideDownwardDiagonal:
      return Rows([](int r) { return Ror(0xE0, r); });
    case HatchStyleWideUpwardDiagonal:
      return Rows([](int r) { return Rol(0x07, r); });
    case HatchStyleLightVertical:
      return Rows([](int) { return BYTE(0x88); });
    case HatchStyleLightHorizontal:
      return {0xFF, 0, 0, 0, 0xFF, 0, 0, 0};
    case HatchStyleNarrowVertical:
      return Rows([](int) { return BYTE(0xAA); });
    case HatchStyleNarrowHorizontal:
      return {0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0};
    case HatchStyleDarkVertical:
      return Rows([](int) { return BYTE(0xCC); });
    case HatchStyleDarkHorizontal:
      return {0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};
    case HatchStyleDashedDownwardDiagonal:
      return {0x88, 0x44, 0x22, 0x11, 0, 0, 0, 0};
    case HatchStyleDashedUpwardDiagonal:
      return {0x11, 0x22, 0x44, 0x88, 0, 0, 0, 0};
    case HatchStyleDashedHorizontal:
      return {0xF0, 0, 0, 0, 0x0F, 0, 0, 0};
    case HatchStyleDashedVertical:
      return {0x80, 0x80, 0x80, 0x80, 0x08, 0x08, 0x08, 0x08};
    case HatchStyleSmallConfetti:
      return {0x80, 0x04, 0x20, 0x01, 0x10, 0x02, 0x40, 0x08};
    case HatchStyleLargeConfetti:
      return Blocks({{0, 0}, {4, 1}, {6, 4}, {2, 5}, {5, 7}});
    case HatchStyleZigZag:
      return {0x81, 0x42, 0x24, 0x18, 0, 0, 0, 0};
    case HatchStyleWave:
      return {0, 0x60, 0x90, 0x09, 0x06, 0, 0, 0};
    case HatchStyleDiagonalBrick:
      return Rows([](int r) { return BYTE(Rol(0x01, r) | (r >= 4 ? Ror(0x08, r - 4) : 0)); });
    case HatchStyleHorizontalBrick:
      return {0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08};
    case HatchStyleWeave:
      return {0x88, 0x54, 0x22, 0x45, 0x88, 0x14, 0x22, 0x51};
    case HatchStylePlaid:
      return {0xAA, 0x55, 0xAA, 0x55, 0xF0, 0xF0, 0xF0, 0xF0};
    case HatchStyleDivot:
      return {0, 0x20, 0x10, 0x20, 0, 0x01, 0x80, 0x01};
    case HatchStyleDottedGrid:
      return {0xAA, 0, 0x80, 0, 0x80, 0, 0x80, 0};
    case HatchStyleDottedDiamond:
      return {0x80, 0, 0x22, 0, 0x08, 0, 0x22, 0};
    case HatchStyleShingle:
      return {0x03, 0x84, 0x48, 0x30, 0x0C, 0x02, 0x01, 0x01};
    case HatchStyleTrellis:
      return {0xFF, 0x66, 0xFF, 0x99, 0xFF, 0x66, 0xFF, 0x99};
    case HatchStyleSphere:
      return {0x77, 0x89, 0x8F, 0x8F, 0x77, 0x98, 0xF8, 0xF8};
    case HatchStyleSmallGrid:
      return {0xFF, 0x88, 0x88, 0x88, 0xFF, 0x88, 0x88, 0x88};
    case HatchStyleSmallCheckerBoard:
      return {0xCC, 0xCC, 0x33, 0x33, 0xCC, 0xCC, 0x33, 0x33};
    case HatchStyleLargeCheckerBoard:
      return {0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F};
    case HatchStyleOutlinedDiamond:
      return {0x41, 0x22, 0x14, 0x08, 0x14, 0x22, 0x41, 0x80};
    case HatchStyleSolidDiamond:
      return {0x10, 0x38, 0x7C, 0xFE, 0x7C, 0x38, 0x10, 0x00};
    default:
      return Tile{};
  }
}

}  // namespace

BYTE HatchPatternRow(HatchStyle style, int row) {
  return Pattern(style)[size_t(row & 7)];
}

namespace detail {

QImage HatchImage(HatchStyle style, ARGB fore, ARGB back) {
  const Tile tile = Pattern(style);
  QImage image(8, 8, QImage::Format_ARGB32);
  for (int r = 0; r < 8; ++r) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(r));
    for (int c = 0; c < 8; ++c) line[c] = (tile[size_t(r)] & (0x80 >> c)) ? fore : back;
  }
  return image;
}

}  // namespace detail
}  // namespace Gdiplus
