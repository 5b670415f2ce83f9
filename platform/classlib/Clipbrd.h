#pragma once
// The clipboard: text, pictures and bytes under formats the program
// registers by name, over the window toolkit's clipboard. Without a display
// (no toolkit application) it is a clipboard of the program's own.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/classlib/Classes.h"

constexpr unsigned CF_TEXT = 1;
constexpr unsigned CF_BITMAP = 2;
constexpr unsigned CF_DIB = 8;
constexpr unsigned CF_UNICODETEXT = 13;
// Any picture (bitmap, PNG, JPEG): what a picture holder can take.
constexpr unsigned CF_PICTURE = 0xBFFF;

// The number of a format of the program's own; the same name gives the same
// number (0xC000 and up). An empty name gives 0.
unsigned RegisterClipboardFormat(const std::string& Name);

class TClipboard : public TPersistent {
 public:
  // The text on the clipboard, empty when there is none.
  std::string GetAsText() const;
  // Replaces everything on the clipboard with the text.
  void SetAsText(const std::string& Value);
  // CF_TEXT, CF_UNICODETEXT, CF_BITMAP, CF_DIB, CF_PICTURE or a registered
  // format.
  bool HasFormat(unsigned Format) const;
  // Replaces everything on the clipboard with the bytes under a registered
  // format (EConvertError for any other format number).
  void SetBuffer(unsigned Format, const void* Buffer, std::size_t Size);
  // The bytes under a registered format; empty when it is not there.
  std::vector<std::uint8_t> GetBuffer(unsigned Format) const;
  void Clear();

  // A graphic or a picture replaces everything on the clipboard with its
  // pixels (a JPEG with its bytes, as "image/jpeg"); anything else is a
  // conversion error.
  void Assign(TPersistent* Source) override;

 protected:
  // Into a graphic or a picture (as a bitmap); EInvalidGraphic when the
  // clipboard holds no picture.
  void AssignTo(TPersistent* Dest) override;
};

// The program's one clipboard object.
TClipboard* Clipboard();
