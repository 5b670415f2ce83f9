// The desktop's file and folder icons: sizes, what exists and what is only
// a name, and the cases that give none.

#include <gtest/gtest.h>

#include <QImage>

#include <cstdio>
#include <string>

#include "platform/classlib/FileIcons.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

using namespace classlib_test;

namespace {

// How many pixels of the icon are not fully transparent.
int Painted(TBitmap& icon) {
  TBitmap copy;
  copy.Assign(&icon);
  int n = 0;
  const QImage* img = copy.GetCanvas()->GetImage();
  for (int y = 0; y < img->height(); ++y)
    for (int x = 0; x < img->width(); ++x) n += qAlpha(img->pixel(x, y)) != 0;
  return n;
}

TEST(FileIcons, FilesFoldersAndNamesGetIconsOfTheirSize) {
  App();
  const std::string dir = ::testing::TempDir();
  const std::string file = dir + "file-icons-test.txt";
  std::FILE* f = std::fopen(file.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fputs("x", f);
  std::fclose(f);

  struct Case {
    std::string path;
    TFileIconSize size;
  } cases[] = {{dir, fisSmall},        {dir, fisLarge},       {file, fisSmall},
               {file, fisLarge},       {"/no/such/place/notes.txt", fisSmall},
               {"no-such-folder/", fisLarge}};
  for (const Case& c : cases) {
    TBitmap icon;
    ASSERT_TRUE(GetFileIcon(c.path, c.size, &icon)) << c.path;
    EXPECT_EQ(icon.GetWidth(), FileIconSide(c.size)) << c.path;
    EXPECT_EQ(icon.GetHeight(), FileIconSide(c.size)) << c.path;
    EXPECT_EQ(icon.GetPixelFormat(), pf32bit) << c.path;
    EXPECT_GT(Painted(icon), 0) << c.path;
  }
  EXPECT_EQ(FileIconSide(fisSmall), 16);
  EXPECT_EQ(FileIconSide(fisLarge), 32);

  // A folder and a file look different.
  TBitmap folder, plain;
  ASSERT_TRUE(GetFileIcon(dir, fisLarge, &folder));
  ASSERT_TRUE(GetFileIcon(file, fisLarge, &plain));
  EXPECT_NE(folder.SaveToBytes(), plain.SaveToBytes());

  // No path, no bitmap: nothing, and the bitmap is left alone.
  TBitmap untouched(3, 3);
  EXPECT_FALSE(GetFileIcon("", fisSmall, &untouched));
  EXPECT_EQ(untouched.GetWidth(), 3);
  EXPECT_FALSE(GetFileIcon(file, fisSmall, nullptr));
  std::remove(file.c_str());
}

}  // namespace
