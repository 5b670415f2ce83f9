#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ClipboardStore.h"
#include "platform/classlib/Clipbrd.h"
#include "platform/classlib/Graphics.h"

namespace {

// A small picture with every pixel different.
void Paint(TBitmap& b) {
  b.SetSize(7, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) b.GetCanvas()->SetPixels(x, y, TColor(x * 30 | (y * 50) << 8 | 0x400000));
  }
}

bool SamePixels(const TGraphic& a, const TGraphic& b) {
  if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight()) return false;
  for (int y = 0; y < a.GetHeight(); ++y) {
    for (int x = 0; x < a.GetWidth(); ++x) {
      if ((a.GetImage().pixel(x, y) & 0xFFFFFF) != (b.GetImage().pixel(x, y) & 0xFFFFFF)) return false;
    }
  }
  return true;
}

// Text, a picture and bytes of a registered format, each put on the
// clipboard and read back, each replacing what was there.
void RoundTrips() {
  TClipboard* clip = Clipboard();
  const unsigned fill = RegisterClipboardFormat("GDI+ Fill");

  clip->SetAsText("Gain −3 dB, 通道 1");
  EXPECT_EQ(clip->GetAsText(), "Gain −3 dB, 通道 1");
  EXPECT_TRUE(clip->HasFormat(CF_TEXT));
  EXPECT_TRUE(clip->HasFormat(CF_UNICODETEXT));
  EXPECT_FALSE(clip->HasFormat(CF_BITMAP));
  EXPECT_FALSE(clip->HasFormat(fill));

  TBitmap source;
  Paint(source);
  clip->Assign(&source);
  EXPECT_TRUE(clip->HasFormat(CF_BITMAP));
  EXPECT_TRUE(clip->HasFormat(CF_PICTURE));
  EXPECT_FALSE(clip->HasFormat(CF_TEXT)) << "the picture replaced the text";
  EXPECT_EQ(clip->GetAsText(), "");
  TBitmap back;
  back.Assign(clip);
  EXPECT_TRUE(SamePixels(source, back));
  TPicture picture;
  picture.Assign(clip);
  ASSERT_NE(picture.GetGraphic(), nullptr);
  EXPECT_TRUE(SamePixels(source, *picture.GetGraphic()));

  // A picture holder goes on as its graphic.
  TPicture holder;
  holder.SetGraphic(&source);
  clip->Clear();
  EXPECT_FALSE(clip->HasFormat(CF_BITMAP));
  clip->Assign(&holder);
  TBitmap fromHolder;
  fromHolder.Assign(clip);
  EXPECT_TRUE(SamePixels(source, fromHolder));

  const std::uint8_t bytes[] = {0x54, 0x50, 0x46, 0x30, 0x00, 0xFF, 0x10};
  clip->SetBuffer(fill, bytes, sizeof bytes);
  EXPECT_TRUE(clip->HasFormat(fill));
  EXPECT_FALSE(clip->HasFormat(CF_BITMAP));
  EXPECT_EQ(clip->GetBuffer(fill), std::vector<std::uint8_t>(bytes, bytes + sizeof bytes));
  EXPECT_TRUE(clip->GetBuffer(RegisterClipboardFormat("Other")).empty());

  // No picture there: a picture cannot be taken from it.
  TBitmap none;
  EXPECT_THROW(none.Assign(clip), EInvalidGraphic);
}

}  // namespace

TEST(Clipboard, RoundTripsThroughTheInProcessStore) {
  auto previous = SetClipboardStore(NewMemoryClipboardStore());
  RoundTrips();
  SetClipboardStore(std::move(previous));
}

TEST(Clipboard, RoundTripsThroughTheToolkitClipboard) {
  classlib_test::App();
  auto previous = SetClipboardStore(nullptr);
  RoundTrips();
  Clipboard()->SetAsText("seen by the toolkit");
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "seen by the toolkit");
  SetClipboardStore(std::move(previous));
}

TEST(Clipboard, FormatsAndRefusals) {
  auto previous = SetClipboardStore(NewMemoryClipboardStore());
  const unsigned a = RegisterClipboardFormat("GDI+ Fill");
  EXPECT_GE(a, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormat("gdi+ fill"), a);
  EXPECT_NE(RegisterClipboardFormat("Another"), a);
  EXPECT_EQ(RegisterClipboardFormat(""), 0u);
  EXPECT_FALSE(Clipboard()->HasFormat(a)) << "an empty clipboard";

  const char byte = 1;
  EXPECT_THROW(Clipboard()->SetBuffer(0xFFFF, &byte, 1), EConvertError);
  EXPECT_THROW(Clipboard()->SetBuffer(CF_TEXT, &byte, 1), EConvertError);
  TFont font;
  EXPECT_THROW(Clipboard()->Assign(&font), EConvertError);
  EXPECT_THROW(font.Assign(Clipboard()), EConvertError);
  SetClipboardStore(std::move(previous));
}
