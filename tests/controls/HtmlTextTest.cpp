// The splash's HTML text renderer: what the markup lays out (plain text,
// sizes, line breaks, anchors under a point), how it reads colours,
// attributes and numbers, what it draws, and a bounded fuzz run in which
// every call must return.

#include <gtest/gtest.h>

#include <QImage>

#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "controls/AdvSmoothSplashScreenHtml.h"
#include "controls/GDIPFill.h"
#include "controls/GDIPPictureContainer.h"
#include "platform/classlib/FileIcons.h"
#include "platform/classlib/ImgList.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

using namespace classlib_test;

namespace {

// One call's settings beside the markup; the defaults are the splash's.
struct Options {
  TRect rect = TRect(0, 0, 400, 300);
  int x = 0, y = 0;
  int focusLink = -1, hoverLink = -1;
  bool checkOnly = false;
  bool measureOnly = true;
  bool wordWrap = true;
  int lineSpacing = 0;
  TCustomImageList* images = nullptr;
  TGDIPPictureContainer* container = nullptr;
  std::string anchorVal;
};

struct Laid {
  bool hit = false;
  std::string anchor, strip, focus;
  int xSize = 0, ySize = 0, links = 0, mouseLink = -1;
  TRect hoverRect;
};

Laid Lay(TGPGraphics* g, const TFont& font, const std::string& markup, Options o = Options()) {
  Laid l;
  l.anchor = o.anchorVal;
  l.hit = DrawHtmlText(g, font, markup, o.rect, o.images, o.x, o.y, o.focusLink, o.hoverLink, 5, o.checkOnly,
                       o.measureOnly, false, false, false, false, o.wordWrap, 1.0, clBlue, clNone, clNone, clGray,
                       l.anchor, l.strip, l.focus, l.xSize, l.ySize, l.links, l.mouseLink, l.hoverRect,
                       o.container, o.lineSpacing);
  return l;
}

std::unique_ptr<TFont> Tahoma(int points) {
  auto f = std::make_unique<TFont>();
  f->SetName("Tahoma");
  f->SetSize(points);
  return f;
}

struct Surface {
  QImage image;
  TGPGraphics g;
  explicit Surface(int w = 400, int h = 300, QRgb fill = qRgb(0, 0, 0))
      : image((App(), QImage(w, h, QImage::Format_ARGB32_Premultiplied))), g(&image) {
    image.fill(fill);
  }
};

TEST(HtmlMarkup, ColoursByValueAndByName) {
  struct Case {
    const char* value;
    TColor color;
  } cases[] = {
      {"#0000FF", 0xFF0000},        {"#0000ff", 0xFF0000},      {"#FF8000", 0x0080FF},
      {"#12", 0x000012},            {"#1", 0x000010},           {"#", 0},
      {"#GG00ZZ", 0},               {"clWhite", 0xFFFFFF},      {"CLRED", 0x0000FF},
      {"clHighlight", static_cast<TColor>(0xFF00000D)},          {"clInfoBk", static_cast<TColor>(0xFF000018)},
      {"mauve", 0},                 {"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(HtmlMarkup::ColorValue(c.value), c.color) << c.value;
}

TEST(HtmlMarkup, EntitiesFieldTagsAndLineEnds) {
  struct Case {
    const char* in;
    const char* prepared;
  } cases[] = {
      {"&amp;", "&"},
      {"a &AMP; b", "a & b"},
      {"&amp;amp;", "&"},
      {"&quot;x&quot;", "\"x\""},
      {"&copy;&reg;&trade;&euro;", "\xC2\xA9\xC2\xAE\xE2\x84\xA2\xE2\x82\xAC"},
      {"&lt;b&gt;", "&lt;b&gt;"},  // replaced per piece, later
      {"&unknown; &", "&unknown; &"},
      {"x<#name>y<#other>", "x#namey<#other>"},
      {"one\r\ntwo\n", "one<BR>two"},
  };
  for (const Case& c : cases) EXPECT_EQ(HtmlMarkup::Prepare(c.in), c.prepared) << c.in;
  EXPECT_EQ(HtmlMarkup::PieceText("&lt;b&GT;&nbsp;"), "<b> ");
}

TEST(HtmlMarkup, AttributesAndNumbers) {
  std::string v;
  const std::string font = "<FONT bgcolorto=\"#000001\" bgcolor=\"#FF0000\" color=\"#00ff00\" size=3 face=\"Arial\">";
  ASSERT_TRUE(HtmlMarkup::Attribute(font, "COLOR", v));
  EXPECT_EQ(v, "#00ff00");
  ASSERT_TRUE(HtmlMarkup::Attribute(font, "BGCOLOR", v));
  EXPECT_EQ(v, "#FF0000");
  ASSERT_TRUE(HtmlMarkup::Attribute(font, "SIZE", v));
  EXPECT_EQ(v, "3");
  ASSERT_TRUE(HtmlMarkup::Attribute(font, "FACE", v));
  EXPECT_EQ(v, "Arial");
  EXPECT_FALSE(HtmlMarkup::Attribute("<FONT color=red>", "COLOR", v));  // only SIZE goes unquoted
  EXPECT_FALSE(HtmlMarkup::Attribute("<IMG src=\"x\">", "ALT", v));
  ASSERT_TRUE(HtmlMarkup::Attribute("<A href=\"unterminated>", "HREF", v));
  EXPECT_EQ(v, "unterminated");

  EXPECT_EQ(HtmlMarkup::LeadingNumber("20\""), 20);
  EXPECT_EQ(HtmlMarkup::LeadingNumber("-7px"), -7);
  EXPECT_EQ(HtmlMarkup::LeadingNumber("x"), 0);
  EXPECT_EQ(HtmlMarkup::LeadingNumber("99999999999999999999"), INT_MAX);
  EXPECT_EQ(HtmlMarkup::LeadingNumber("-99999999999999999999"), INT_MIN);
  int n = 0;
  EXPECT_TRUE(HtmlMarkup::WholeNumber(" 50 ", n));
  EXPECT_EQ(n, 50);
  EXPECT_FALSE(HtmlMarkup::WholeNumber("50px", n));
  EXPECT_FALSE(HtmlMarkup::WholeNumber("", n));
}

TEST(HtmlLayout, PlainTextSizesAndLineBreaks) {
  Surface s;
  const auto held = Tahoma(8);
  const TFont& font = *held;
  const int gh = TextHeight(&s.g, "gh", font);
  auto width = [&](const std::string& t) {
    TRect r(0, 0, 0, 0);
    DrawText(&s.g, t, -1, r, font, DT_CALCRECT, clNone);
    return r.Right - r.Left;
  };
  struct Case {
    const char* markup;
    int rectWidth;
    const char* strip;
    int lines;
  } cases[] = {
      {"&amp;", 400, "&", 1},
      {"&lt;b&gt;bold", 400, "<b>bold", 1},  // shown, and no bold
      {"<b>bo</b>ld", 5, "bold", 1},         // never split inside the word
      {"a verylongwordwiderthantheline b", 30, "a verylongwordwiderthantheline b", 3},
      {"one<br>two<BR>three", 400, "one\rtwo\rthree", 3},
      {"a<FOO>b<bar x=\"1\">c", 400, "abc", 1},  // unknown tags are ignored
      {"x<b", 400, "x", 1},                      // an unterminated tag takes the rest
      {"x<", 400, "x", 1},
      {"a<Z>hidden</Z>b", 400, "ahiddenb", 1},
      {"", 400, "", 0},
  };
  for (const Case& c : cases) {
    Options o;
    o.rect = TRect(0, 0, c.rectWidth, 300);
    const Laid l = Lay(&s.g, font, c.markup, o);
    EXPECT_EQ(l.strip, c.strip) << c.markup;
    EXPECT_EQ(l.ySize, (c.lines == 0 ? 1 : c.lines) * gh + 2) << c.markup;
  }
  // Widths: the entity text in the base font, hidden text takes no room.
  EXPECT_EQ(Lay(&s.g, font, "&lt;b&gt;bold").xSize, width("<b>bold") + 2);
  EXPECT_EQ(Lay(&s.g, font, "a<Z>hidden</Z>b").xSize, width("a") + width("b") + 2);
  // An image index without an image list takes no room.
  EXPECT_EQ(Lay(&s.g, font, "ab<IMG src=\"IDX:3\">").xSize, Lay(&s.g, font, "ab").xSize);
  // Line spacing goes between lines, not after the last.
  Options spaced;
  spaced.lineSpacing = 2;
  EXPECT_EQ(Lay(&s.g, font, "a<br>b", spaced).ySize, 2 * gh + 2 + 2);
}

TEST(HtmlLayout, TheSplashLineIsOneTwentyPointLine) {
  Surface s(500, 100);
  const auto held = Tahoma(8);
  const TFont& base = *held;
  const std::string line = "<FONT size=\"20\" color=\"clWhite\">Loading Program....</FONT><br>";
  const auto bigHeld = Tahoma(20);
  const TFont& big = *bigHeld;
  const int h = std::max(TextHeight(&s.g, "Loading ", big), TextHeight(&s.g, "Program....", big));
  Options o;
  o.rect = TRect(0, 0, 500, 250);
  const Laid measured = Lay(&s.g, base, line, o);
  EXPECT_EQ(measured.ySize, h + 2);
  EXPECT_EQ(measured.strip, "Loading Program....\r");
  // Drawn: each line is collected twice, and the text is white.
  o.measureOnly = false;
  const Laid drawn = Lay(&s.g, base, line, o);
  EXPECT_EQ(drawn.strip, "Loading Program....\rLoading Program....\r");
  EXPECT_EQ(drawn.ySize, h + 2);
  int white = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 250; ++x) white += s.image.pixel(x, y) == qRgb(255, 255, 255);
  EXPECT_GT(white, 50);
}

TEST(HtmlLayout, FontColoursDrawAsWritten) {
  for (const char* markup : {"<FONT color=\"#0000FF\" size=\"5\">MMMM</FONT>",
                             "<font color=\"#0000ff\" size=\"5\">MMMM</font>"}) {
    Surface s(200, 40, qRgb(255, 255, 255));
    Options o;
    o.measureOnly = false;
    Lay(&s.g, *Tahoma(8), markup, o);
    int blue = 0, other = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 200; ++x) {
        const QRgb p = s.image.pixel(x, y);
        if (p == qRgb(255, 255, 255)) continue;
        (qBlue(p) == 255 && qRed(p) == qGreen(p) ? blue : other) += 1;
      }
    EXPECT_GT(blue, 20) << markup;
    EXPECT_EQ(other, 0) << markup;
  }
}

TEST(HtmlLayout, AnchorsUnderATestPoint) {
  Surface s;
  const auto held = Tahoma(8);
  const TFont& font = *held;
  const std::string markup = "Go <A href=\"one\">first</A> and <A href=\"two\">second</A> end";
  const Laid all = Lay(&s.g, font, markup);
  EXPECT_EQ(all.links, 2);
  // Where "second" lies: after the text before it.
  const int before = Lay(&s.g, font, "Go first and ").xSize - 2;
  const int gh = TextHeight(&s.g, "gh", font);
  struct Case {
    int x, y;
    const char* anchor;
    int mouseLink;
  } cases[] = {
      {1 + before + 5, gh / 2, "two", 1},
      {1 + before + 5, gh + 5, "keep", -1},  // below the line
      {3, gh / 2, "keep", -1},               // on plain text
      {1 + Lay(&s.g, font, "Go ").xSize, gh / 2, "one", 0},
  };
  for (const Case& c : cases) {
    Options o;
    o.x = c.x;
    o.y = c.y;
    o.anchorVal = "keep";
    const Laid l = Lay(&s.g, font, markup, o);
    EXPECT_EQ(l.anchor, c.anchor) << c.x << "," << c.y;
    EXPECT_EQ(l.mouseLink, c.mouseLink) << c.x << "," << c.y;
    if (c.mouseLink == 1) {
      EXPECT_EQ(l.hoverRect.Top, 0);
      EXPECT_GT(l.hoverRect.Right, l.hoverRect.Left);
      EXPECT_LE(l.hoverRect.Left, c.x);
      EXPECT_GE(l.hoverRect.Right, c.x);
    }
    // A measuring second pass reports the hit as its result.
    o.measureOnly = false;
    o.checkOnly = true;
    EXPECT_EQ(Lay(&s.g, font, markup, o).hit, c.mouseLink >= 0) << c.x;
  }
  // The focused anchor's href, from a drawing call.
  Options focus;
  focus.measureOnly = false;
  focus.focusLink = 1;
  EXPECT_EQ(Lay(&s.g, font, markup, focus).focus, "two");
}

TEST(HtmlLayout, OffsetCountsFromTheLineLeftOnEveryLine) {
  Surface s(500, 200);
  const auto held = Tahoma(8);
  const TFont& font = *held;
  const int gh = TextHeight(&s.g, "gh", font);
  Options o;
  o.rect = TRect(180, 0, 480, 200);
  // The line's left is 181; the link starts 50 further on this line and
  // on the next.
  const std::string markup = "<OFS x=\"50\"><A href=\"here\">link</A><br><A href=\"next\">link</A>";
  struct Case {
    int x, y;
    const char* anchor;
  } cases[] = {{181 + 50 + 3, gh / 2, "here"}, {181 + 50 + 3, gh + gh / 2, "next"},
               {50 + 3, gh / 2, ""},            {181 + 3, gh / 2, ""},
               {181 + 3, gh + gh / 2, ""}};
  for (const Case& c : cases) {
    o.x = c.x;
    o.y = c.y;
    EXPECT_EQ(Lay(&s.g, font, markup, o).anchor, c.anchor) << c.x << "," << c.y;
  }
  // </OFS> puts the lines back.
  o.x = 181 + 3;
  o.y = gh + gh / 2;
  EXPECT_EQ(Lay(&s.g, font, "<OFS x=\"50\">a</OFS><br><A href=\"back\">link</A>", o).anchor, "back");
}

TEST(HtmlDrawing, BulletsAreARingAtEvenAndADotAtOddLevels) {
  const auto held = Tahoma(10);
  TFont& font = *held;
  font.SetColor(clWhite);
  struct Case {
    const char* markup;
    const char* bullet;
    int lines;  // lines the ULs take before the item
    int level;
  } cases[] = {{"<UL><LI>x", "\xE2\x80\xA2", 1, 1}, {"<UL><UL><LI>x", "o", 2, 2}};
  for (const Case& c : cases) {
    Surface list(200, 100), expected(200, 100);
    Options o;
    o.measureOnly = false;
    Lay(&list.g, font, c.markup, o);
    const int gh = TextHeight(&expected.g, "gh", font);
    const int pen = 1 + 12 * c.level - 12;
    TRect r(pen, c.lines * gh, pen, 100);
    DrawText(&expected.g, c.bullet, -1, r, font, 0, clNone);
    int differ = 0, inked = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = pen; x < pen + 10; ++x) {
        differ += list.image.pixel(x, y) != expected.image.pixel(x, y);
        inked += expected.image.pixel(x, y) != qRgb(0, 0, 0);
      }
    EXPECT_GT(inked, 0) << c.bullet;
    EXPECT_EQ(differ, 0) << c.bullet;
  }
}

TEST(HtmlLayout, PicturesListImagesAndFileIcons) {
  Surface s;
  const auto held = Tahoma(8);
  const TFont& font = *held;
  // A 30 x 20 picture in the container.
  TBitmap bmp(30, 20);
  bmp.GetCanvas()->Brush->SetColor(clRed);
  bmp.GetCanvas()->FillRect(TRect(0, 0, 30, 20));
  TGDIPPictureContainer container(nullptr);
  TPictureItem* item = container.GetItems()->Add();
  item->SetName("Logo");
  item->SetPicture(&bmp);
  TImageList images(nullptr, 16, 16);
  images.Add(&bmp);
  Options o;
  o.container = &container;
  o.images = &images;
  struct Case {
    const char* markup;
    int xSize;
  } cases[] = {
      {"<IMG src=\"logo\">", 30 + 2},
      {"<IMG src=\"Logo\" width=\"12\" height=\"9\">", 12 + 2},
      {"<IMG src=\"missing\">", 0 + 2},
      {"<IMG src=\"IDX:0\">", 16 + 2},
      {"<IMG src=\"IDX:1\">", 0 + 2},
      {"<IMG src=\"SSYS:/tmp\">", FileIconSide(fisSmall) + 2},
      {"<IMG src=\"LSYS:nowhere/notes.txt\">", FileIconSide(fisLarge) + 2},
      {"<IMG src=\"SSYS:12\">", 0 + 2},  // an icon number names nothing here
  };
  for (const Case& c : cases) EXPECT_EQ(Lay(&s.g, font, c.markup, o).xSize, c.xSize) << c.markup;
  // The picture sets the line's height; an image that does not fit ends
  // the line before it.
  const int gh = TextHeight(&s.g, "gh", font);
  EXPECT_EQ(Lay(&s.g, font, "a<IMG src=\"logo\">", o).ySize, std::max(gh, 20) + 2);
  o.rect = TRect(0, 0, 40, 300);
  EXPECT_EQ(Lay(&s.g, font, "abcdef<IMG src=\"logo\">", o).ySize, gh + 20 + 2);
  // Drawn at the pen: red pixels where the picture went.
  o.rect = TRect(0, 0, 400, 300);
  o.measureOnly = false;
  Lay(&s.g, font, "<IMG src=\"logo\">", o);
  EXPECT_EQ(s.image.pixel(1 + 15, 10), qRgb(255, 0, 0));
}

TEST(HtmlLayout, DrawingStopsAtTheFirstLineThatDoesNotFit) {
  Surface s;
  const auto held = Tahoma(8);
  const TFont& font = *held;
  const int gh = TextHeight(&s.g, "gh", font);
  Options o;
  o.rect = TRect(0, 0, 400, 3 * gh);
  const std::string markup = "1<br>2<br>3<br>4<br>5<br>6";
  EXPECT_EQ(Lay(&s.g, font, markup, o).ySize, 6 * gh + 2);  // measuring takes it all
  o.measureOnly = false;
  const Laid drawn = Lay(&s.g, font, markup, o);
  EXPECT_LT(drawn.ySize, 6 * gh + 2);
  EXPECT_EQ(drawn.strip.find("6"), std::string::npos);
}

// ---------------------------------------------------------------- fuzzing

// Aborts the run, naming the markup, when one call does not return in time.
class Watchdog {
 public:
  Watchdog() : thread_([this] { Watch(); }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(m_);
      stop_ = true;
    }
    cv_.notify_all();
    thread_.join();
  }
  void Arm(const std::string& markup) {
    std::lock_guard<std::mutex> lock(m_);
    markup_ = markup;
    deadline_ = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    armed_ = true;
    cv_.notify_all();
  }
  void Disarm() {
    std::lock_guard<std::mutex> lock(m_);
    armed_ = false;
  }

 private:
  void Watch() {
    std::unique_lock<std::mutex> lock(m_);
    while (!stop_) {
      if (!armed_) {
        cv_.wait(lock);
        continue;
      }
      if (cv_.wait_until(lock, deadline_) == std::cv_status::timeout && armed_ &&
          std::chrono::steady_clock::now() >= deadline_) {
        std::fprintf(stderr, "DrawHtmlText did not return for: %s\n", markup_.c_str());
        std::abort();
      }
    }
  }

  std::mutex m_;
  std::condition_variable cv_;
  std::string markup_;
  std::chrono::steady_clock::time_point deadline_;
  bool armed_ = false;
  bool stop_ = false;
  std::thread thread_;
};

TEST(HtmlFuzz, RandomAndMutatedMarkupAlwaysReturns) {
  Surface s(300, 200);
  const auto held = Tahoma(8);
  const TFont& font = *held;
  TGDIPPictureContainer container(nullptr);
  TBitmap bmp(8, 8);
  container.GetItems()->Add()->SetName("p");
  container.GetItems()->GetItem(0)->SetPicture(&bmp);
  TImageList images(nullptr, 8, 8);
  images.Add(&bmp);

  const char* seeds[] = {
      "<FONT size=\"20\" color=\"clWhite\">Loading Program....</FONT><br>",
      "<P align=\"center\" indent=\"4\">a <b>b</b> <i>c</i> <u>d</u> <s>e</s></P>",
      "<UL><LI type=\"square\" color=\"#FF0000\">x<UL><LI>y</UL></UL>",
      "<A href=\"h\">link</A> <IMG src=\"IDX:0\" align=\"top\"> <IMG src=\"p\" alt=\"p\" wrap>",
      "H<SUB>2</SUB>O x<SUP>2</SUP> <SHAD>s</SHAD> <E>err</E> <HI>hi</HI> <Z>z</Z><HR>",
      "<OFS x=\"40\">o</OFS><IND x=\"30\">i &amp; &lt; &gt; &nbsp; &euro; <#f>",
      "<BODY bgcolor=\"#123456\" bgcolorto=\"#654321\"><BLINK>b</BLINK></BODY>",
      "\xE4\xB8\xAD\xE6\x96\x87 <FONT face=\"SimSun\" bgcolor=\"clyellow\">\xE6\x96\x87</FONT>",
  };
  const char* tokens[] = {"<",    ">",     "&",     ";",     "\"",  " ",     "<br>", "<UL>", "</UL>", "<LI>",
                          "<A ",  "</A>",  "<IMG ", "src=\"", "x=\"", "size=", "#",   "&lt;", "\r",   "\n",
                          "<OFS", "<IND",  "<SUB>", "<SUP>", "<Z>",  "</Z>",  "<P ", "</P>", "<F",   "999999999999"};
  std::mt19937 rng(20240531);
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
  Watchdog watchdog;
  const int kCalls = 400;
  for (int i = 0; i < kCalls; ++i) {
    std::string markup;
    if (i % 2 == 0) {
      markup = seeds[pick(std::size(seeds))];
      for (int m = 0, n = 1 + static_cast<int>(pick(6)); m < n && !markup.empty(); ++m) {
        const std::size_t at = pick(markup.size() + 1);
        switch (pick(3)) {
          case 0:
            markup.insert(at, tokens[pick(std::size(tokens))]);
            break;
          case 1:
            markup.erase(at, pick(6));
            break;
          default:
            if (at < markup.size()) markup[at] = static_cast<char>(rng());
        }
      }
    } else {
      for (int t = 0, n = static_cast<int>(pick(24)); t < n; ++t)
        markup += pick(3) == 0 ? std::string(1, static_cast<char>(32 + pick(95))) : tokens[pick(std::size(tokens))];
    }
    Options o;
    o.rect = TRect(static_cast<int>(pick(40)), static_cast<int>(pick(40)), 40 + static_cast<int>(pick(260)),
                   20 + static_cast<int>(pick(180)));
    o.x = static_cast<int>(pick(300));
    o.y = static_cast<int>(pick(200));
    o.measureOnly = i % 3 == 0;
    o.checkOnly = i % 5 == 0;
    o.wordWrap = i % 7 != 0;
    o.focusLink = static_cast<int>(pick(3)) - 1;
    o.hoverLink = static_cast<int>(pick(3)) - 1;
    o.lineSpacing = static_cast<int>(pick(4));
    o.container = &container;
    o.images = &images;
    watchdog.Arm(markup);
    const Laid l = Lay(&s.g, font, markup, o);
    watchdog.Disarm();
    EXPECT_GE(l.xSize, 2) << markup;
    EXPECT_GE(l.ySize, 2) << markup;
    EXPECT_GE(l.links, 0) << markup;
  }
}

}  // namespace

namespace {

// A page of every tag for a look by eye: written to TAVO_RENDER_DIR when
// set, else to the test's temporary folder.
TEST(HtmlRender, SamplePageShowsEveryTag) {
  Surface s(560, 520, qRgb(0x1E, 0x22, 0x28));
  const auto held = Tahoma(9);
  TFont& font = *held;
  font.SetColor(RGB(0xE6, 0xE9, 0xED));
  // A container picture (a green badge) and an image-list image (amber).
  TBitmap badge(40, 24), chip(16, 16);
  badge.GetCanvas()->Brush->SetColor(RGB(0x3C, 0xB4, 0x78));
  badge.GetCanvas()->FillRect(TRect(0, 0, 40, 24));
  chip.GetCanvas()->Brush->SetColor(RGB(0xF0, 0xB0, 0x30));
  chip.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
  TGDIPPictureContainer container(nullptr);
  TPictureItem* item = container.GetItems()->Add();
  item->SetName("badge");
  item->SetPicture(&badge);
  TImageList images(nullptr, 16, 16);
  images.Add(&chip);

  const std::string page =
      "<FONT size=\"16\" color=\"clWhite\" face=\"Tahoma\">Markup samples</FONT><br>"
      "<b>Bold</b> <i>italic</i> <u>underlined</u> <s>struck</s> <b><i>both</i></b><br>"
      "<FONT color=\"#3DA0E8\">Blue by value</FONT>, <FONT color=\"clRed\">red by name</FONT>, "
      "<FONT bgcolor=\"#404850\">on a background</FONT>, <HI>highlighted</HI><br>"
      "H<SUB>2</SUB>O and E = mc<SUP>2</SUP> <SHAD>with a shadow</SHAD> <E>misspeled</E> hidden:<Z>gone</Z>!<br>"
      "&amp; &lt;b&gt; &quot;quoted&quot; &copy; &euro; &trade; caf&nbsp;au lait <#field><br>"
      "\xE4\xB8\xAD\xE6\x96\x87\xE6\x96\x87\xE6\x9C\xAC\xEF\xBC\x9A\xE5\x8A\xA0\xE8\xBD\xBD\xE7\xA8\x8B"
      "\xE5\xBA\x8F <FONT size=\"4\">\xE8\xBE\x93\xE5\x85\xA5 A \xE5\x88\xB0 H</FONT><br>"
      "Links: <A href=\"first\">the first anchor</A> and <A href=\"second\">a second one</A><HR>"
      "<P align=\"center\">A centred paragraph</P><P align=\"right\">and a right-aligned one</P>"
      "<P align=\"left\">Pictures: <IMG src=\"badge\"> list <IMG src=\"IDX:0\"> folder "
      "<IMG src=\"SSYS:/tmp\"> file <IMG src=\"LSYS:notes.txt\"></P>"
      "<UL><LI>Inputs A to H<UL><LI>gain and polarity<LI>EQ and dynamics</UL>"
      "<LI type=\"square\" color=\"#3CB478\">Outputs 1 to 8<LI type=\"circle\" color=\"#3DA0E8\">Effect bus</UL>"
      "<IND x=\"200\">indented to 200<br><OFS x=\"40\">offset lines start 40 further on, and this sentence is "
      "long enough to wrap onto a following line at the same offset.</OFS><br>"
      "Word wrap keeps <b>bo</b>ld whole; a long line of plain words wraps at the spaces between them "
      "and never inside a word.";
  std::string anchor, strip, focus;
  int xs = 0, ys = 0, links = 0, mouse = -1;
  TRect hover;
  DrawHtmlText(&s.g, font, page, TRect(10, 10, 550, 510), &images, 0, 0, -1, -1, 2, false, false, false, false,
               false, false, true, 1.0, RGB(0x3D, 0xA0, 0xE8), clNone, clNone, RGB(0, 0, 0), anchor, strip, focus,
               xs, ys, links, mouse, hover, &container, 2);
  EXPECT_EQ(links, 2);
  EXPECT_LE(ys, 510);
  const char* dir = std::getenv("TAVO_RENDER_DIR");
  const std::string path = std::string(dir ? dir : ::testing::TempDir().c_str()) + "/html-sample-page.png";
  EXPECT_TRUE(s.image.save(QString::fromStdString(path)));
  // The badge and the image-list image were drawn somewhere.
  int green = 0, amber = 0;
  for (int y = 0; y < s.image.height(); ++y)
    for (int x = 0; x < s.image.width(); ++x) {
      green += s.image.pixel(x, y) == qRgb(0x3C, 0xB4, 0x78);
      amber += s.image.pixel(x, y) == qRgb(0xF0, 0xB0, 0x30);
    }
  EXPECT_GE(green, 40 * 24);
  EXPECT_GE(amber, 16 * 16);
}

}  // namespace
