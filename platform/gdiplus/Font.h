// Fonts, font families and string formats. Family names of the platform the
// forms were designed on are mapped to the installed faces.
#pragma once

#include <string>

#include "platform/gdiplus/GdiPlusTypes.h"

namespace Gdiplus {

class Graphics;

inline constexpr int FamilyNameLength = 32;

class FontCollection {
 public:
  FontCollection() = default;
  FontCollection(const FontCollection&) = delete;
  FontCollection& operator=(const FontCollection&) = delete;
  virtual ~FontCollection() = default;
  Status GetLastStatus() const { return Ok; }
};

class FontFamily {
 public:
  FontFamily();
  // FontFamilyNotFound when no installed face answers to the name.
  explicit FontFamily(const WCHAR* name, const FontCollection* fontCollection = nullptr);
  FontFamily(const FontFamily&) = delete;
  FontFamily& operator=(const FontFamily&) = delete;
  ~FontFamily() = default;

  static const FontFamily* GenericSansSerif();
  static const FontFamily* GenericSerif();
  static const FontFamily* GenericMonospace();

  FontFamily* Clone() const;
  Status GetFamilyName(WCHAR name[FamilyNameLength], LANGID language = 0) const;
  bool IsAvailable() const { return FValid; }
  bool IsStyleAvailable(INT style) const;
  Status GetLastStatus() const;

  // For the renderer: the installed face, UTF-8.
  const std::string& Face() const { return FFace; }

 private:
  std::u16string FName;
  std::string FFace;
  bool FValid = false;
  mutable Status FLastResult = Ok;
  friend class Font;
};

class Font {
 public:
  Font(const FontFamily* family, REAL emSize, INT style = FontStyleRegular, Unit unit = UnitPoint);
  // An unknown name falls back to the generic sans-serif family.
  Font(const WCHAR* familyName, REAL emSize, INT style = FontStyleRegular, Unit unit = UnitPoint,
       const FontCollection* fontCollection = nullptr);
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;
  ~Font() = default;

  Font* Clone() const;
  Status GetFamily(FontFamily* family) const;
  REAL GetSize() const { return FSize; }
  INT GetStyle() const { return FStyle; }
  Unit GetUnit() const { return FUnit; }
  // Line spacing in the graphics' units, or in pixels at a resolution.
  REAL GetHeight(const Graphics* graphics) const;
  REAL GetHeight(REAL dpi) const;
  bool IsAvailable() const { return FValid; }
  Status GetLastStatus() const;

  const std::string& Face() const { return FFace; }
  // Em size in pixels at a resolution (dots per inch).
  double PixelSize(double dpi) const;

 private:
  Font() = default;
  void Init(const FontFamily* family, REAL emSize, INT style, Unit unit);

  std::u16string FFamilyName;
  std::string FFace;
  REAL FSize = 0;
  INT FStyle = FontStyleRegular;
  Unit FUnit = UnitPoint;
  bool FValid = false;
  mutable Status FLastResult = Ok;
};

class StringFormat {
 public:
  explicit StringFormat(INT formatFlags = 0, LANGID language = 0);
  explicit StringFormat(const StringFormat* format);
  StringFormat(const StringFormat&) = delete;
  StringFormat& operator=(const StringFormat&) = delete;
  ~StringFormat() = default;

  // Generic default pads measured text by a sixth of an em on each side;
  // generic typographic measures tightly.
  static const StringFormat* GenericDefault();
  static const StringFormat* GenericTypographic();

  StringFormat* Clone() const;
  Status SetFormatFlags(INT flags);
  INT GetFormatFlags() const { return FFlags; }
  Status SetAlignment(StringAlignment align);
  StringAlignment GetAlignment() const { return FAlign; }
  Status SetLineAlignment(StringAlignment align);
  StringAlignment GetLineAlignment() const { return FLineAlign; }
  Status SetTrimming(StringTrimming trimming);
  StringTrimming GetTrimming() const { return FTrimming; }
  Status SetHotkeyPrefix(HotkeyPrefix hotkeyPrefix);
  HotkeyPrefix GetHotkeyPrefix() const { return FHotkey; }
  Status GetLastStatus() const;

  bool IsTypographic() const { return FTypographic; }

 private:
  Status Record(Status s) const {
    if (s != Ok) FLastResult = s;
    return s;
  }

  INT FFlags = 0;
  StringAlignment FAlign = StringAlignmentNear;
  StringAlignment FLineAlign = StringAlignmentNear;
  StringTrimming FTrimming = StringTrimmingCharacter;
  HotkeyPrefix FHotkey = HotkeyPrefixNone;
  bool FTypographic = false;
  mutable Status FLastResult = Ok;
};

}  // namespace Gdiplus
