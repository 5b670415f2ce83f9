#pragma once
// Geometry value types of the class library: points, sizes and rectangles
// in integer device pixels, plus a small set type for enum flags.

#include <cstdint>
#include <initializer_list>

struct TPoint {
  int X = 0;
  int Y = 0;
  constexpr TPoint() = default;
  constexpr TPoint(int x, int y) : X(x), Y(y) {}
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  constexpr TSize() = default;
  constexpr TSize(int w, int h) : cx(w), cy(h) {}
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

// Right and Bottom lie just outside the rectangle, as everywhere in GDI.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  constexpr TRect() = default;
  constexpr TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
  constexpr TRect(TPoint topLeft, TPoint bottomRight)
      : Left(topLeft.X), Top(topLeft.Y), Right(bottomRight.X), Bottom(bottomRight.Y) {}
  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(int x, int y) {
  return {x, y};
}
constexpr TRect Rect(int left, int top, int right, int bottom) {
  return {left, top, right, bottom};
}
constexpr TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}
constexpr bool PtInRect(const TRect& r, TPoint p) {
  return r.Contains(p);
}
constexpr TRect OffsetRect(const TRect& r, int dx, int dy) {
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}
constexpr TRect InflateRect(const TRect& r, int dx, int dy) {
  return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy};
}
// The common part of a and b; an empty (0,0,0,0) rectangle when they do not overlap.
constexpr TRect IntersectRect(const TRect& a, const TRect& b) {
  TRect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
          a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
  return r.IsEmpty() ? TRect{} : r;
}

// A set of enum values (enumerators 0..31), written like the class library's
// sets: TFontStyles() << fsBold << fsItalic, s.Contains(fsBold).
template <typename E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) FBits |= Bit(e);
  }
  constexpr TSet& operator<<(E e) {
    FBits |= Bit(e);
    return *this;
  }
  constexpr TSet& operator>>(E e) {
    FBits &= ~Bit(e);
    return *this;
  }
  constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr std::uint32_t Bits() const { return FBits; }
  friend constexpr TSet operator+(TSet a, TSet b) {
    a.FBits |= b.FBits;
    return a;
  }
  friend constexpr TSet operator-(TSet a, TSet b) {
    a.FBits &= ~b.FBits;
    return a;
  }
  friend constexpr TSet operator*(TSet a, TSet b) {
    a.FBits &= b.FBits;
    return a;
  }
  friend constexpr bool operator==(TSet a, TSet b) { return a.FBits == b.FBits; }

 private:
  static constexpr std::uint32_t Bit(E e) { return std::uint32_t{1} << static_cast<unsigned>(e); }
  std::uint32_t FBits = 0;
};
