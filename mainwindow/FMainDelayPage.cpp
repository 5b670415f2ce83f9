// The Delay page: above, one delay line per channel with its marker and time
// text (inputs and outputs on two panels that take the same place); below,
// the side and unit selectors and one fader column per channel, again one
// panel per side. Tags are channel indexes.

#include <string>

#include "controls/AdvTrackBar.h"
#include "mainwindow/FMainPageKit.h"
#include "mainwindow/FMainPages.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/RzControls.h"

using namespace pagekit;

namespace pages {

namespace {

struct DelaySide {
  const char* Side;  // "In" or "Out"
  bool Inputs;
  TColor Accent;
  const char* LineHeading;   // lbFftDelayIn's caption
  const char* PanelHeading;  // lbDelayInput's caption
  const char* HeadingName;   // "lbDelayInput"
  // The line panel and its heading share a width.
  int PanelLeft;
  int PanelWidth;
  int LineWidth;
};

constexpr DelaySide InputSide{"In", true, AccentIn, "Input Delay", "Input", "lbDelayInput", 28, 520, 475};
constexpr DelaySide OutputSide{"Out", false, AccentOut, "Output Delay", "Output", "lbDelayOutput",
                               28,    1055,  1006};

// Upper box.
constexpr int LineHeadingTop = 4;
constexpr int LinePanelTop = 28;
constexpr int LinePanelHeight = 234;
constexpr int RowPitch = 28;
constexpr int LineLeft = 40;
constexpr int LineHeight = 29;
constexpr int MarkerSize = 30;
constexpr int PuckRight = 24;
// Lower box.
constexpr TRect SelectorBounds = Bounds(8, 8, 150, 266);
constexpr TRect FaderPanelBounds = Bounds(166, 8, 898, 266);
constexpr int ColumnLeft = 10;
constexpr int ColumnPitch = 110;
constexpr int ColumnWidth = 104;
constexpr int SideGroup = 1;
constexpr int UnitGroup = 2;

std::string StripTitle(const DelaySide& side, int i) {
  return side.Side + std::to_string(i + 1);
}

// The marker: a round puck in the side's colour with a line through its
// middle, on a key colour that the image leaves out.
void DrawMarker(TImage* image, TColor accent) {
  TBitmap* bitmap = image->GetPicture()->GetBitmap();
  bitmap->SetSize(MarkerSize, MarkerSize);
  TCanvas* canvas = bitmap->GetCanvas();
  canvas->GetBrush()->SetColor(clFuchsia);
  canvas->FillRect(Rect(0, 0, MarkerSize, MarkerSize));
  canvas->GetPen()->SetColor(RGB(12, 13, 16));
  canvas->GetPen()->SetWidth(1);
  canvas->GetBrush()->SetColor(accent);
  canvas->Ellipse(6, 6, PuckRight, PuckRight);
  canvas->GetPen()->SetColor(RGB(12, 13, 16));
  canvas->GetPen()->SetWidth(2);
  canvas->MoveTo(15, 9);
  canvas->LineTo(15, 21);
  // Between the puck and the time text the track stays hidden: a stub of it
  // there reads as a minus sign before the value.
  canvas->GetBrush()->SetColor(WellBack);
  canvas->FillRect(Rect(PuckRight, 0, MarkerSize, MarkerSize));
  image->SetTransparent(true);
}

void CreateLines(TComponent* owner, TWinControl* box, const DelaySide& side, bool shown) {
  TLabel* heading =
      MakeLabel(owner, box, std::string("lbFftDelay") + side.Side, side.LineHeading,
                Bounds(side.PanelLeft, LineHeadingTop, side.PanelWidth, 22), 0, side.Accent, 13, true);
  TPanel* panel = MakePanel(owner, box, std::string("plFftDelay") + side.Side,
                            Bounds(side.PanelLeft, LinePanelTop, side.PanelWidth, LinePanelHeight), WellBack);
  heading->SetVisible(shown);
  panel->SetVisible(shown);
  const int lineWidth = side.LineWidth;
  for (int i = 0; i < 8; ++i) {
    const std::string suffix = StripSuffix(side.Inputs, i);
    const int tag = StripChannel(side.Inputs, i);
    const int top = RowPitch * i + 2;
    MakeLabel(owner, panel, "lbDelayShow" + suffix, StripTitle(side, i), Bounds(4, top + 6, 34, 16), tag,
              side.Accent, 11, true);
    // The track the marker's middle travels along, stretched with the panel.
    TShape* track = MakeShape(owner, panel, "",
                              Bounds(LineLeft + MarkerSize / 2, top + MarkerSize / 2 - 1, lineWidth - 90, 2),
                              EdgeColor, EdgeColor, tag);
    track->SetAnchors(TAnchors{akLeft, akTop, akRight});
    TLabel* line = MakeLabel(owner, panel, "lbDelayLine" + suffix, "",
                             Bounds(LineLeft, top, lineWidth, LineHeight), tag, side.Accent, 11, true);
    // Its caption is a run of dashes up to the marker, six pixels a dash.
    line->GetFont()->SetName("Courier New");
    line->GetFont()->SetHeight(-10);
    auto* marker = new TImage(owner);
    marker->SetName("imDelay" + suffix);
    marker->SetParent(panel);
    marker->SetBounds(LineLeft, top, MarkerSize, MarkerSize);
    marker->SetTag(tag);
    DrawMarker(marker, side.Accent);
    // The time text covers the track behind it.
    TLabel* time = MakeLabel(owner, panel, "lbFftDelayTime" + suffix, "0.000 ms",
                             Bounds(LineLeft + MarkerSize, top + MarkerSize / 4, 64, 16), tag, TextColor, 11);
    time->SetTransparent(false);
    time->SetColor(WellBack);
  }
}

void CreateFaders(TComponent* owner, TWinControl* box, const DelaySide& side) {
  TPanel* panel = MakePanel(owner, box, std::string("rzpDelay") + side.Side, FaderPanelBounds);
  MakeLabel(owner, panel, side.HeadingName, side.PanelHeading, Bounds(ColumnLeft, 2, 300, 20), 0, side.Accent,
            12, true);
  for (int i = 0; i < 8; ++i) {
    const std::string suffix = StripSuffix(side.Inputs, i);
    const int tag = StripChannel(side.Inputs, i);
    const int x = ColumnLeft + i * ColumnPitch;
    TPanel* column = MakePanel(owner, panel, "", Bounds(x, 26, ColumnWidth, 234), RGB(30, 33, 38), tag);
    MakeLabel(owner, column, "", StripTitle(side, i), Bounds(0, 2, ColumnWidth, 18), tag, TextColor, 12, true,
              taCenter);
    MakeFader(owner, column, "isDelay" + suffix, Bounds((ColumnWidth - 28) / 2, 22, 28, 178), 0, 32640, 0, 6,
              tag, side.Accent, true);
    MakeValueBox(owner, column, "cvdDelay" + suffix, Bounds(7, 206, ColumnWidth - 14, 22), "0.00ms", tag);
  }
}

}  // namespace

void CreateDelayPage(TComponent* owner, TWinControl* mainBox) {
  TRzGroupBox* upper = MakePageBox(owner, mainBox, "rzgFftDelay", UpperBoxBounds);
  upper->SetVisible(false);
  // Outputs first, so the inputs' line panel is in front; only the selected
  // side's lines are shown.
  CreateLines(owner, upper, OutputSide, false);
  CreateLines(owner, upper, InputSide, true);

  TRzGroupBox* lower = MakePageBox(owner, mainBox, "rzgParamDelay", LowerBoxBounds);
  lower->SetVisible(false);
  TPanel* selectors = MakePanel(owner, lower, "", SelectorBounds);
  MakeLabel(owner, selectors, "lbDelaySel", "Select", Bounds(12, 8, 126, 20), 0, DimText, 11);
  MakeButton(owner, selectors, "rzbDelaySelIn", "Input", Bounds(12, 30, 126, 28), 0, SideGroup, false,
             AccentIn)
      ->SetDown(true);
  MakeButton(owner, selectors, "rzbDelaySelOut", "Output", Bounds(12, 62, 126, 28), 1, SideGroup, false,
             AccentOut);
  MakeLabel(owner, selectors, "lbDelayUnit", "Unit", Bounds(12, 108, 126, 20), 0, DimText, 11);
  const char* units[] = {"ms", "m", "ft"};
  for (int u = 0; u < 3; ++u) {
    auto* button = MakeButton(owner, selectors, "rzbUnit" + std::to_string(u), units[u],
                              Bounds(12 + u * 44, 130, 38, 28), u, UnitGroup, false, RGB(120, 200, 140));
    if (u == 0) button->SetDown(true);
  }
  CreateFaders(owner, lower, OutputSide);
  CreateFaders(owner, lower, InputSide);
}

}  // namespace pages
