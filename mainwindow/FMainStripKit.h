#pragma once
// The strip pages' building kit: the look (one dark console palette, one
// accent colour per side) and small factories that give every control its
// name, owner, parent, bounds and Tag in one call, so the page builders read
// as tables of places.

#include <string>

#include "mainwindow/FMainLook.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/StdCtrls.h"

class TComponent;
class TWinControl;
class TRzGroupBox;
class TPanel;
class TLabel;
class TRzBmpButton;
class TAdvTrackBar;
class TCurvyEdit;
class LProgressBar;
class TVrPowerButton;
class TVrDemoButton;
class LMyFFTDrawPhase;
class TMyPEQAllpass;
class TRzComboBox;
class TUpDown;
class TRadioButton;

namespace strip {

// The three sides of the console; each has its accent.
enum class Side { In, Out, Eff };

// Strip suffixes: inputs by letter, outputs by digit.
inline std::string InSuffix(int i) {
  return std::string(1, static_cast<char>('A' + i));
}
inline std::string OutSuffix(int n) {
  return std::to_string(n + 1);
}

// ---- palette: the window's, with the shades the strips add
inline constexpr TColor PageBack = MainLook::WindowBack;    // page boxes
inline constexpr TColor SectionBack = MainLook::PanelBack;  // sections and strips
inline constexpr TColor WellBack = MainLook::DisplayBack;   // value boxes, meter wells
inline constexpr TColor EdgeColor = RGB(58, 62, 70);
inline constexpr TColor ButtonFace = MainLook::BarBack;  // painted keys inside tables
inline constexpr TColor TextColor = MainLook::Text;
inline constexpr TColor DimText = MainLook::DimText;
inline constexpr TColor AccentIn = MainLook::InputAccent;
inline constexpr TColor AccentOut = MainLook::OutputAccent;
inline constexpr TColor AccentEff = MainLook::EffectAccent;
inline constexpr TColor WarnColor = RGB(236, 84, 72);  // mute, phantom
TColor AccentOf(Side side);

// ---- factories: owner is the main window; parent is the box or panel the
// control sits in. An empty name leaves the control unnamed (decoration).
TRzGroupBox* MakePageBox(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r);
TPanel* MakePanel(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                  TColor color = SectionBack);
TLabel* MakeLabel(TComponent* owner, TWinControl* parent, const std::string& name, const std::string& caption,
                  const TRect& r, TColor color = TextColor, int size = 8, bool bold = false,
                  TAlignment align = taLeftJustify);
// A toggle when groupIndex is not 0 (allowAllUp says whether it may go up).
TRzBmpButton* MakeButton(TComponent* owner, TWinControl* parent, const std::string& name,
                         const std::string& caption, const TRect& r, int tag, int groupIndex, bool allowAllUp,
                         TColor accent);
TAdvTrackBar* MakeFader(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                        int min, int max, int position, int tag, TColor accent, bool vertical = true);
TCurvyEdit* MakeValueBox(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                         const std::string& text, bool readOnly, TColor color = TextColor);
// A segmented meter of red, yellow and green segments (from the top).
LProgressBar* MakeMeter(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                        int red, int yellow, int green);
TVrPowerButton* MakeLedButton(TComponent* owner, TWinControl* parent, const std::string& name,
                              const std::string& caption, const TRect& r, int tag, TColor accent,
                              int size = 8);
TVrDemoButton* MakeDemoButton(TComponent* owner, TWinControl* parent, const std::string& name,
                              const std::string& caption, const TRect& r, int tag);
LMyFFTDrawPhase* MakeResponsePlot(TComponent* owner, TWinControl* parent, const std::string& name,
                                  const TRect& r, int tag);
TMyPEQAllpass* MakeBandTable(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                             int tag, int bands);
TRzComboBox* MakeCombo(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r);
TUpDown* MakeUpDown(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r, int tag);
TRadioButton* MakeRadio(TComponent* owner, TWinControl* parent, const std::string& name,
                        const std::string& caption, const TRect& r, int tag, bool checked, TColor color,
                        int size = 8);

// The 20 slope items of the cut combos and the 51 mic-gain items.
void FillSlopeItems(TRzComboBox* combo);
void FillMicGainItems(TRzComboBox* combo);

}  // namespace strip
