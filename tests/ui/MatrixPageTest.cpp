// The Matrix page: routing keys send their output's mask, effect-route
// exclusion enables and disables the keys, the drawing shows the routes,
// and the block diagram's labels go to the pages where blocks are edited.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/LUnitControl.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "tests/ui/FrameRecordTestSupport.h"

using namespace frame_record_test;
using ui_test::Find;

namespace {

Frame Matrix(int channel, std::uint16_t mask) {
  return {CommandCode("CM_MCS_MATRIX"),
          {std::uint8_t(channel), std::uint8_t(mask & 0xFF), std::uint8_t(mask >> 8)}};
}

std::string Letter(int i) {
  return std::string(1, char('A' + i));
}
// Key of input i (or the bus, i = 8) on output n (1..8).
TRzBmpButton* Key(int i, int n) {
  return Find<TRzBmpButton>("rzb" + (i == 8 ? std::string("Eff") : Letter(i)) + "MatrixOut" +
                            std::to_string(n));
}
TRzBmpButton* BusKey(int i) {
  return Find<TRzBmpButton>("rzb" + Letter(i) + "MatrixEff");
}

constexpr std::uint16_t In(int i) {
  return std::uint16_t(1u << i);
}
constexpr std::uint16_t Bus = 0x100;

class MatrixPageTest : public FrameRecordSuite {
 protected:
  void SetUp() override {
    FrameRecordSuite::SetUp();
    ShowPage("rzbMenuMatrix");
  }
  void TearDown() override {
    FrameRecordSuite::TearDown();
    WriteKeysFromModel();
  }

  // Routes as the device sent them (every other route cleared): stored
  // without sending, the keys written from the model as the refresh
  // writes them.
  void Route(std::initializer_list<std::pair<int, std::uint16_t>> masks) {
    AsReceived([&](LUnitControl& model) {
      for (int channel : {8, 9, 10, 11, 12, 13, 14, 15, 18}) model.SetMatrix(channel, 0);
      for (auto [channel, mask] : masks) model.SetMatrix(channel, mask);
    });
    WriteKeysFromModel();
  }
  static void WriteKeysFromModel() {
    for (int n = 1; n <= 8; ++n)
      for (int i = 0; i <= 8; ++i) Key(i, n)->SetDown(((Model()->GetMatrix(7 + n) >> i) & 1) != 0);
    for (int i = 0; i < 8; ++i) BusKey(i)->SetDown(((Model()->GetMatrix(18) >> i) & 1) != 0);
    fmMain->UpdateMatrixEnables();
    fmMain->DrawMatrix();
  }

  static void ShowPage(const char* key) {
    fmMain->rzbMenuInAClick(Find<TRzBmpButton>(key));
    classlib_test::DrainEvents();
  }
};

TEST_F(MatrixPageTest, BusKeyOfAnOutputReleasesTheInputsThatFeedTheBus) {
  // Output 1 routes A and B while A feeds the bus: its bus key is locked.
  Route({{8, In(0) | In(1)}, {18, In(0) | In(4)}});
  EXPECT_FALSE(Key(8, 1)->GetEnabled());
  // Pressed all the same, it releases A and keeps B.
  auto press = [](TRzBmpButton* key) {
    key->SetDown(!key->GetDown());
    key->Click();
  };
  press(Key(8, 1));
  EXPECT_EQ(frames, (std::vector<Frame>{Matrix(8, In(1) | Bus)}));
  EXPECT_FALSE(Key(0, 1)->GetDown());
  EXPECT_FALSE(Key(0, 1)->GetEnabled());
  EXPECT_FALSE(Key(4, 1)->GetEnabled());
  EXPECT_TRUE(Key(1, 1)->GetDown());
  EXPECT_TRUE(Key(1, 1)->GetEnabled());
  EXPECT_EQ(Model()->GetMatrix(8), In(1) | Bus);
  // Other outputs keep their keys.
  EXPECT_TRUE(Key(0, 2)->GetEnabled());

  // Releasing the bus gives the bus's inputs back to the output.
  frames.clear();
  press(Key(8, 1));
  EXPECT_EQ(frames, (std::vector<Frame>{Matrix(8, In(1))}));
  EXPECT_TRUE(Key(0, 1)->GetEnabled());
  EXPECT_TRUE(Key(4, 1)->GetEnabled());
  EXPECT_FALSE(Key(0, 1)->GetDown());
}

TEST_F(MatrixPageTest, InputKeyOfABusInputLocksTheBusKeyUntilNoneIsLeft) {
  Route({{18, In(2) | In(3)}});
  UserClick(Key(2, 3));
  EXPECT_FALSE(Key(8, 3)->GetEnabled());
  UserClick(Key(3, 3));
  UserClick(Key(2, 3));
  EXPECT_FALSE(Key(8, 3)->GetEnabled()) << "D still feeds the bus on output 3";
  UserClick(Key(3, 3));
  EXPECT_TRUE(Key(8, 3)->GetEnabled());
  // An input outside the bus never touches the bus key.
  UserClick(Key(5, 3));
  EXPECT_TRUE(Key(8, 3)->GetEnabled());
  EXPECT_EQ(frames, (std::vector<Frame>{Matrix(10, In(2)), Matrix(10, In(2) | In(3)), Matrix(10, In(3)),
                                        Matrix(10, 0), Matrix(10, In(5))}));
  // A disabled key hears no click.
  UserClick(Key(8, 1));
  frames.clear();
  UserClick(Key(2, 1));
  EXPECT_TRUE(frames.empty());
  EXPECT_FALSE(Key(2, 1)->GetDown());
}

TEST_F(MatrixPageTest, BusInputKeyRemovesDirectRoutesFromOutputsThatTakeTheBus) {
  // Output 2 takes C and the bus, output 4 C alone, output 5 the bus alone.
  Route({{9, In(2) | Bus}, {11, In(2)}, {12, Bus | In(6)}, {18, In(0)}});
  ShowPage("rzbMenuEff");
  UserClick(BusKey(2));
  EXPECT_EQ(frames, (std::vector<Frame>{Matrix(9, Bus), Matrix(18, In(0) | In(2))}));
  EXPECT_EQ(Find<TLabel>("lbMatrixDelayInC")->GetFont()->GetColor(), clLime);
  EXPECT_FALSE(Key(2, 2)->GetDown());
  EXPECT_FALSE(Key(2, 2)->GetEnabled());
  EXPECT_FALSE(Key(8, 4)->GetEnabled());
  EXPECT_TRUE(Key(2, 4)->GetDown());
  EXPECT_FALSE(Key(2, 5)->GetEnabled());
  EXPECT_TRUE(Key(2, 1)->GetEnabled());
  EXPECT_EQ(Model()->GetMatrix(12), Bus | In(6)) << "an output without C is not sent";

  // Releasing it gives C back everywhere; output 4 takes A too, which
  // still feeds the bus, so its bus key stays locked.
  Route({{9, Bus}, {11, In(2) | In(0)}, {18, In(0) | In(2)}});
  UserClick(BusKey(2));
  EXPECT_EQ(Find<TLabel>("lbMatrixDelayInC")->GetFont()->GetColor(), clWhite);
  for (int n = 1; n <= 8; ++n) EXPECT_TRUE(Key(2, n)->GetEnabled()) << n;
  EXPECT_FALSE(Key(8, 4)->GetEnabled());
  frames.clear();
  Route({{11, In(2)}, {18, In(0)}});
  UserClick(BusKey(2));
  UserClick(BusKey(2));
  EXPECT_TRUE(Key(8, 4)->GetEnabled());
  EXPECT_EQ(frames.back(), Matrix(18, In(0)));
}

TEST_F(MatrixPageTest, EnablesFollowTheDevicesMasksWhichStayAsReceived) {
  // The device's mask holds the bus and A, which feeds the bus.
  Route({{8, Bus | In(0) | In(1)}, {9, In(0)}, {10, In(1)}, {18, In(0)}});
  EXPECT_FALSE(Key(0, 1)->GetDown());
  EXPECT_FALSE(Key(0, 1)->GetEnabled());
  EXPECT_TRUE(Key(1, 1)->GetEnabled());
  EXPECT_EQ(Model()->GetMatrix(8), Bus | In(0) | In(1));
  EXPECT_FALSE(Key(8, 2)->GetEnabled());
  EXPECT_TRUE(Key(8, 3)->GetEnabled());
  // A later refresh with other masks gives every key back first.
  Route({{8, 0}, {9, 0}, {18, 0}});
  for (int n = 1; n <= 8; ++n)
    for (int i = 0; i <= 8; ++i) EXPECT_TRUE(Key(i, n)->GetEnabled()) << i << " " << n;
  EXPECT_TRUE(frames.empty());
}

// The colour of the drawing at a point, or none where nothing is drawn.
QRgb PixelAt(const QImage& image, int x, int y) {
  return image.pixel(x, y) & 0xFFFFFF;
}
QRgb Rgb(TColor c) {
  return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)) & 0xFFFFFF;
}

TEST_F(MatrixPageTest, DrawingShowsEveryRouteInItsSourcesColour) {
  auto* box = Find<TPaintBox>("pbMatrix");
  auto grab = [box] {
    QCoreApplication::processEvents();
    return box->GetWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  };
  const int e = fmMain->GetState().ExtraHeight;
  const int w = box->GetWidth();
  // The middle of the line from source i to output j.
  auto middle = [&](int i, int j) {
    const int y0 = 3 + 29 * i + i * (e / 9), y1 = 12 + 30 * j + j * (e / 8);
    return QPoint(w / 2, (y0 + y1) / 2);
  };
  auto onLine = [&](const QImage& image, int i, int j, TColor colour) {
    const QPoint p = middle(i, j);
    for (int dy = -1; dy <= 1; ++dy)
      if (PixelAt(image, p.x(), p.y() + dy) == Rgb(colour)) return true;
    return false;
  };
  Route({{8, In(0)}, {15, In(3) | Bus}});
  UserClick(Key(1, 6));  // B to output 6, from a click
  QImage image = grab();
  EXPECT_TRUE(onLine(image, 0, 0, clMaroon));
  EXPECT_TRUE(onLine(image, 3, 7, clNavy));
  EXPECT_TRUE(onLine(image, 8, 7, clSilver));
  EXPECT_TRUE(onLine(image, 1, 5, clGreen));
  EXPECT_FALSE(onLine(image, 2, 2, clOlive));
  // A route taken away leaves no line behind.
  UserClick(Key(1, 6));
  image = grab();
  EXPECT_FALSE(onLine(image, 1, 5, clGreen));
  EXPECT_TRUE(onLine(image, 0, 0, clMaroon));
}

TEST_F(MatrixPageTest, BlockDiagramLabelsGoToTheBlocksPage) {
  struct Case {
    const char* label;
    MainPage page;
    const char* key;
  };
  const Case cases[] = {
      {"lbMatrixGainInC", 2, "rzbMenuInC"},
      {"lbMatrixHpLpInA", 0, "rzbMenuInA"},
      {"lbMatrixXoverOut4", 11, "rzbMenuOut4"},
      {"lbMatrixMuteOut8", 15, "rzbMenuOut8"},
      {"lbMatrixGateInB", PageGate, "rzbMenuGate"},
      {"lbMatrixCompOut2", PageComp, "rzbMenuComp"},
      {"lbMatrixPeqEff", PageEff, "rzbMenuEff"},
      {"lbMatrixSelEff", PageEff, "rzbMenuEff"},
      {"lbMatrixDelayOut3", PageDelay, "rzbMenuDelay"},
      {"lbMatrixDelayInA", PageEff, "rzbMenuEff"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ShowPage("rzbMenuMatrix");
    Find<TRzBmpButton>("rzbMenuMatrix")->SetDown(true);
    ASSERT_EQ(fmMain->GetState().CurrentPage, PageMatrix);
    UserClick(Find<TControl>(c.label));
    EXPECT_EQ(fmMain->GetState().CurrentPage, c.page);
    EXPECT_TRUE(Find<TRzBmpButton>(c.key)->GetDown());
    EXPECT_FALSE(Find<TRzBmpButton>("rzbMenuMatrix")->GetDown());
  }
  // The output delays are the ones shown.
  ShowPage("rzbMenuMatrix");
  auto* outputs = Find<TControl>("rzpDelayOut");
  outputs->SendToBack();
  UserClick(Find<TControl>("lbMatrixDelayOut1"));
  TWinControl* parent = outputs->GetParent();
  EXPECT_EQ(parent->GetControls(parent->GetControlCount() - 1), outputs);
  ShowPage("rzbMenuMatrix");
}

TEST_F(MatrixPageTest, PointerOverAClickableLabelShowsTheHand) {
  for (const char* name : {"lbMatrixPhaseOut5", "lbMatrixChNameInD", "lbMatrixEfxEff"}) {
    SCOPED_TRACE(name);
    auto* label = Find<TControl>(name);
    classlib_test::Move(label, 3, 3);
    EXPECT_EQ(Screen->GetCursor(), crHandPoint);
    classlib_test::Move(Find<TControl>("pbMatrix"), 2, 2);
    EXPECT_EQ(Screen->GetCursor(), crDefault);
  }
  // A jump takes the label away, and its hand with it.
  auto* gate = Find<TControl>("lbMatrixGateInA");
  classlib_test::Move(gate, 3, 3);
  UserClick(gate);
  EXPECT_EQ(Screen->GetCursor(), crDefault);
  ShowPage("rzbMenuMatrix");
}

}  // namespace

namespace {

// The Matrix and Eff pages after a distinctive routing, to PNG for a look
// by eye when TAVO_RENDER_DIR names a folder.
TEST_F(MatrixPageTest, PagesToPng) {
  const char* dir = std::getenv("TAVO_RENDER_DIR");
  if (!dir) GTEST_SKIP() << "set TAVO_RENDER_DIR to render the pages";
  Route({{8, In(0) | In(1)},
         {9, Bus | In(1)},
         {10, In(2) | In(3)},
         {11, Bus},
         {12, In(4) | In(7)},
         {13, In(5)},
         {14, In(6) | Bus},
         {15, In(7) | In(0)},
         {18, In(0) | In(2)}});
  for (int i = 0; i < 8; ++i)
    Find<TLabel>("lbMatrixDelayIn" + Letter(i))
        ->GetFont()
        ->SetColor((Model()->GetMatrix(18) >> i) & 1 ? clLime : clWhite);
  auto shoot = [dir](const char* file) {
    classlib_test::DrainEvents();
    const std::string path = std::string(dir) + "/" + file;
    EXPECT_TRUE(fmMain->GetMainBox()->GetWidget()->grab().save(QString::fromStdString(path))) << path;
  };
  shoot("matrix.png");
  ShowPage("rzbMenuEff");
  shoot("eff.png");
  ShowPage("rzbMenuMatrix");
}

}  // namespace
