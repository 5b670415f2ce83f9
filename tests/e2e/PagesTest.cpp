// After the start-up every page shows the device's own set, reached through
// the page buttons as a user would; edits made on the pages (a fader, a
// typed band frequency, a dragged marker) reach the device, whose set then
// equals the editor's.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "EditorDriver.h"
#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "instruments/plot/iXYPlot.h"
#include "instruments/plot/iXYPlotChannel.h"
#include "model/CommonConstants.h"
#include "model/ValueScales.h"
#include "platform/classlib/ControlImage.h"
#include "platform/classlib/Keys.h"
#include "response/FilterResponse.h"
#include "response/LMyFFTDrawPhase.h"
#include "response/MyPEQAllpass.h"

using namespace e2e;

namespace {

using sim::ParamImage;
using sim::Strip;

std::string Letter(int input) {
  return std::string(1, static_cast<char>('A' + input));
}
// "InA".."InH", "Out1".."Out8" of channels 0..15.
std::string Suffix(int channel) {
  return channel < 8 ? "In" + Letter(channel) : "Out" + std::to_string(channel - 7);
}
Strip StripAt(int channel) {
  return *sim::StripOf(channel);
}

struct Band {
  int Gain, Freq, Q, Type;
};
Band BandAt(const ParamImage& image, const Strip& strip, int b) {
  const std::size_t at = strip.Bands + 6 * static_cast<std::size_t>(b);
  return {image.Word(at), image.Word(at + 2), image.Byte(at + 4), image.Byte(at + 5)};
}
void PutBand(ParamImage& image, const Strip& strip, int b, Band band) {
  const std::size_t at = strip.Bands + 6 * static_cast<std::size_t>(b);
  image.SetWord(at, static_cast<std::uint16_t>(band.Gain));
  image.SetWord(at + 2, static_cast<std::uint16_t>(band.Freq));
  image.SetByte(at + 4, static_cast<std::uint8_t>(band.Q));
  image.SetByte(at + 5, static_cast<std::uint8_t>(band.Type));
}
void PutText(ParamImage& image, std::size_t at, const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) image.SetByte(at + i, static_cast<std::uint8_t>(text[i]));
}
// A name field as text: up to its first zero byte.
std::string TextAt(const ParamImage& image, std::size_t at, std::size_t length) {
  std::string text;
  for (std::size_t i = 0; i < length && image.Byte(at + i) != 0; ++i)
    text += static_cast<char>(image.Byte(at + i));
  return text;
}

// Every page's fields away from the factory set and from each other: band
// records, cut filters, mic gain and phantom power, feedback levels,
// polarity, compressor and gate records, delays (shown in metres), routes
// and the effect bus.
ParamImage PagesImage() {
  ParamImage image = DistinctiveImage();
  PutText(image, sim::at::PresetName, "Stage Left 7 B");
  for (int n = 0; n < 8; ++n) {
    const Strip in = StripAt(n);
    image.SetWord(in.Gate, static_cast<std::uint16_t>(3 + 7 * n));
    image.SetWord(in.Gate + 2, static_cast<std::uint16_t>(150 + 25 * n));
    image.SetWord(in.Gate + 4, static_cast<std::uint16_t>(60 + 9 * n));
    for (int b = 0; b < in.BandCount; ++b) {
      const int sign = b % 2 ? -1 : 1;
      // Band 1 a shelf (its Q kept within a shelf's range), band 4 of a type
      // that takes any Q.
      const int type = b == 1 ? 1 : b == 4 ? 6 : 0;
      PutBand(image, in, b,
              {120 + sign * (n + 1) * (5 + b), 30 + 50 * b + 3 * n, b == 1 ? 10 + n : 20 + 5 * b + n, type});
    }
    // Input H's high-pass is bypassed.
    image.SetWord(in.HighPass, static_cast<std::uint16_t>(n == 7 ? 0 : 2 + n));
    image.SetWord(in.HighPass + 2, static_cast<std::uint16_t>(15 + 4 * n));
    image.SetWord(in.LowPass, static_cast<std::uint16_t>(12 - n));
    image.SetWord(in.LowPass + 2, static_cast<std::uint16_t>(290 - 5 * n));
    image.SetByte(in.Phantom, static_cast<std::uint8_t>(n % 2));
    // Input F stands at line level.
    image.SetByte(in.MicGain, static_cast<std::uint8_t>(n == 5 ? 0 : 10 + 5 * n));
    image.SetWord(in.Feedback, static_cast<std::uint16_t>(n % 5));
    image.SetWord(in.Polarity, static_cast<std::uint16_t>(n % 3 == 1));
    image.SetWord(in.BandBypass, static_cast<std::uint16_t>(1u << (n % 5)));

    const Strip out = StripAt(8 + n);
    // Output 3 takes the effect bus too, besides inputs the bus does not take.
    const unsigned route = (1u << n) | (1u << ((n + 3) % 8)) | (n == 2 ? 0x100u : 0u);
    image.SetWord(out.Route, static_cast<std::uint16_t>(route));
    image.SetWord(out.HighPass, static_cast<std::uint16_t>(3 + n));
    image.SetWord(out.HighPass + 2, static_cast<std::uint16_t>(40 + 6 * n));
    // Output 4's low-pass is bypassed.
    image.SetWord(out.LowPass, static_cast<std::uint16_t>(n == 3 ? 0 : 20 - n));
    image.SetWord(out.LowPass + 2, static_cast<std::uint16_t>(280 - 7 * n));
    for (int b = 0; b < out.BandCount; ++b) {
      const int sign = b % 2 ? 1 : -1;
      PutBand(image, out, b,
              {120 + sign * (n + 2) * (b + 1), 20 + 38 * b + 2 * n, 15 + 6 * b - n % 4, b == 6 ? 5 : 0});
    }
    // Output 8's compressor is a limiter; output 1's knee shows plainly.
    image.SetWord(out.Comp, static_cast<std::uint16_t>(n == 7 ? 15 : n == 0 ? 8 : 2 * n));
    image.SetWord(out.Comp + 2, static_cast<std::uint16_t>(20 + 11 * n));
    image.SetWord(out.Comp + 4, static_cast<std::uint16_t>(400 + 60 * n));
    image.SetWord(out.Comp + 6, static_cast<std::uint16_t>(120 + 11 * n));
    image.SetWord(out.Polarity, static_cast<std::uint16_t>(n % 2));
    image.SetWord(out.Delay, static_cast<std::uint16_t>(1500 * (n + 1) + 17 * n));
    image.SetWord(out.BandBypass, static_cast<std::uint16_t>(1u << ((n + 2) % 7)));
  }
  // Inputs G and H, and outputs 7 and 8, are linked: the first of each pair
  // leads.
  for (const int first : {6, 14}) {
    image.SetWord(StripAt(first).Link, 0xC0);
    image.SetWord(StripAt(first + 1).Link, 0);
  }
  // Input D's and output 6's whole EQ bypassed.
  image.SetWord(sim::at::WholeEqInputs, 1u << 3);
  image.SetWord(sim::at::WholeEqOutputs, 1u << 5);
  const Strip fx = StripAt(18);
  PutText(image, fx.Name, "FxBus");
  for (int b = 0; b < fx.BandCount; ++b) PutBand(image, fx, b, {130 + 3 * b, 60 + 40 * b, 30 + b, 0});
  image.SetWord(fx.Comp + 6, 150);
  image.SetWord(fx.Gain, 250);
  image.SetWord(sim::at::EffectMute, 1);
  image.SetByte(sim::at::EffectRoute, 0x12);
  image.SetByte(sim::at::EffectOn, 1);
  image.SetWord(sim::at::AutoMixGate + 8, 1);  // automix on, camera off
  image.SetWord(fx.BandBypass, 1u << 2);
  image.SetWord(sim::at::Memorize, 2);
  image.SetWord(sim::at::DelayUnitWord, DelayUnitMetre);
  return image;
}

// The bytes where two sets differ, as "offset: got/wanted" cells.
std::string Differences(const ParamImage& got, const ParamImage& wanted) {
  std::string text;
  for (std::size_t at = 0; at < sim::ImageSize; ++at)
    if (got.Byte(at) != wanted.Byte(at))
      text += std::to_string(at) + ": " + std::to_string(got.Byte(at)) + "/" +
              std::to_string(wanted.Byte(at)) + " ";
  return text;
}

std::string Trimmed(std::string text) {
  while (!text.empty() && text.front() == ' ') text.erase(text.begin());
  return text;
}

// What a control shows, as one comparable text.
std::string Shows(const std::string& name) {
  TComponent* c = fmMain->FindComponent(name);
  if (auto* box = dynamic_cast<TCurvyEdit*>(c)) return Trimmed(box->GetText());
  if (auto* fader = dynamic_cast<TAdvTrackBar*>(c)) return "at " + std::to_string(fader->GetPosition());
  if (auto* button = dynamic_cast<TRzBmpButton*>(c)) return button->GetDown() ? "down" : "up";
  if (auto* combo = dynamic_cast<TComboBox*>(c)) return "item " + std::to_string(combo->GetItemIndex());
  if (auto* control = dynamic_cast<TControl*>(c)) return control->GetCaption();
  return "(no such control)";
}

struct Expect {
  std::string Control;
  std::string Text;
};
std::string At(int position) {
  return "at " + std::to_string(position);
}
std::string Down(bool down) {
  return down ? "down" : "up";
}

// One visit: the keys clicked in turn, then what the page must show.
struct Visit {
  std::vector<std::string> Keys;
  std::vector<Expect> Expects;
  std::vector<int> BandStrips;  // strips whose band tables and markers show
};

void AddCut(std::vector<Expect>& e, const ParamImage& image, std::size_t at, const std::string& kind,
            const std::string& panel) {
  const int slope = image.Word(at), freq = image.Word(at + 2);
  e.push_back({"is" + kind + "Freq" + panel, At(freq)});
  e.push_back({"cvd" + kind + "Freq" + panel, Trimmed(FreqText(IndexToFreq(freq)))});
  e.push_back({"rzb" + kind + "Bypass" + panel, Down(slope == 0)});
  if (slope != 0) e.push_back({"rzc" + kind + "Slop" + panel, "item " + std::to_string(slope - 1)});
}

void AddLevel(std::vector<Expect>& e, const ParamImage& image, int channel, const std::string& suffix) {
  const Strip s = StripAt(channel);
  const int position = image.Word(s.Gain) - GainStoredOffset;
  const int bit = channel % 8;
  e.push_back({"isGain" + suffix, At(position)});
  e.push_back({"cvdGain" + suffix, GainText(position)});
  e.push_back({"rzbMute" + suffix, Down((image.Word(s.MuteWord) >> bit) & 1u)});
  e.push_back({"rzbPhase" + suffix, Down(image.Word(s.Polarity) != 0)});
  if (channel < 8) {
    const int step = image.Byte(s.MicGain);
    e.push_back({"rzbLine" + suffix, Down(step != 0)});
    // Line level has no phantom power.
    e.push_back({"rzbPhantom" + suffix, Down(step != 0 && image.Byte(s.Phantom) != 0)});
    if (step != 0) e.push_back({"rzcLine" + suffix, "item " + std::to_string(MicGainStepToItem(step))});
  }
}

// The channel that leads a strip's link group: the strip itself when its
// link mask is set, else the first of its side whose mask holds it.
int LeaderOf(const ParamImage& image, int channel) {
  const int base = channel < 8 ? 0 : 8;
  if (image.Word(StripAt(channel).Link) != 0) return channel;
  for (int c = base; c < base + 8; ++c)
    if ((image.Word(StripAt(c).Link) >> (channel - base)) & 1u) return c;
  return channel;
}

std::vector<Visit> PageVisits(const ParamImage& image) {
  std::vector<Visit> visits;
  for (int channel = 0; channel < 16; ++channel) {
    const bool input = channel < 8;
    const std::string panel = input ? "InA" : "Out1";
    const Strip s = StripAt(channel);
    // A linked member's page shows its leader's plot, band table and band.
    const int leader = LeaderOf(image, channel);
    Visit v{{"rzbMenu" + Suffix(channel)}, {}, {leader}};
    AddCut(v.Expects, image, s.HighPass, "LowCut", panel);
    AddCut(v.Expects, image, s.LowPass, "HighCut", panel);
    AddLevel(v.Expects, image, channel, panel);
    if (input) v.Expects.push_back({"rzbFbtLevel" + std::to_string(image.Word(s.Feedback)) + panel, "down"});
    // The band panel shows the first band.
    const Band first = BandAt(image, StripAt(leader), 0);
    v.Expects.push_back({"cvdEqFreq" + panel, Trimmed(FreqBoxText(IndexToFreq(first.Freq)))});
    v.Expects.push_back({"cvdEqGain" + panel, PeqGainText(first.Gain)});
    v.Expects.push_back({"cvdEqBw" + panel, PeqQText(first.Q)});
    visits.push_back(std::move(v));
  }

  Visit comp{{"rzbMenuComp"}, {}, {}};
  for (int n = 1; n <= 8; ++n) {
    const Strip s = StripAt(7 + n);
    const std::string k = "Out" + std::to_string(n);
    const int threshold = image.Word(s.Comp + 6) - DynThresholdStoredOffset;
    comp.Expects.push_back({"isCompThreshold" + k, At(threshold)});
    comp.Expects.push_back({"cvdCompThreshold" + k, ThresholdText(threshold)});
    comp.Expects.push_back({"cvdCompRatio" + k, CompRatioDisplayText(image.Word(s.Comp))});
    comp.Expects.push_back({"cvdCompAttack" + k, DynTimeText(image.Word(s.Comp + 2))});
    comp.Expects.push_back({"cvdCompRelease" + k, DynTimeText(image.Word(s.Comp + 4))});
  }
  visits.push_back(std::move(comp));

  Visit delay{{"rzbMenuDelay", "rzbDelaySelOut"}, {{"rzbUnit1", "down"}}, {}};
  for (int n = 1; n <= 8; ++n) {
    const int samples = image.Word(StripAt(7 + n).Delay);
    const std::string k = "Out" + std::to_string(n);
    delay.Expects.push_back({"isDelay" + k, At(samples)});
    delay.Expects.push_back({"cvdDelay" + k, DelayText(samples, DelayUnitMetre)});
    delay.Expects.push_back({"lbFftDelayTime" + k, DelayText(samples, DelayUnitMetre)});
  }
  visits.push_back(std::move(delay));

  const Strip fx = StripAt(18);
  const int fxGain = image.Word(fx.Gain) - GainStoredOffset;
  const int fxThreshold = image.Word(fx.Comp + 6) - DynThresholdStoredOffset;
  visits.push_back({{"rzbMenuEff"},
                    {{"isGainEff", At(fxGain)},
                     {"cvdGainEff", GainText(fxGain)},
                     {"isCompThresholdEff", At(fxThreshold)},
                     {"cvdCompThresholdEff", Trimmed(ThresholdText(fxThreshold))},
                     {"rzbMuteEff", Down(image.Word(sim::at::EffectMute) != 0)},
                     {"rzbOnOffEff", Down(image.Byte(sim::at::EffectOn) != 0)},
                     {"rzbAutoMixOnOffEff", Down(image.Word(sim::at::AutoMixGate + 8) != 0)},
                     {"rzbCameraOnOffEff", Down(image.Word(sim::at::CameraGate + 8) != 0)},
                     {"cvdEqFreqEff", Trimmed(FreqBoxText(IndexToFreq(BandAt(image, fx, 0).Freq)))},
                     {"cvdEqGainEff", PeqGainText(BandAt(image, fx, 0).Gain)},
                     {"cvdEqBwEff", PeqQText(BandAt(image, fx, 0).Q)}},
                    {18}});

  Visit matrix{{"rzbMenuMatrix"}, {}, {}};
  matrix.Expects.push_back({"lbMatrixChNameEff", TextAt(image, fx.Name, sim::ChannelNameLength)});
  for (int k = 0; k < 8; ++k)
    matrix.Expects.push_back(
        {"rzb" + Letter(k) + "MatrixEff", Down((image.Byte(sim::at::EffectRoute) >> k) & 1u)});
  for (int channel = 0; channel < 16; ++channel)
    matrix.Expects.push_back(
        {"lbMatrixChName" + Suffix(channel), TextAt(image, StripAt(channel).Name, sim::ChannelNameLength)});
  for (int n = 1; n <= 8; ++n) {
    const unsigned route = image.Word(StripAt(7 + n).Route);
    for (int k = 0; k < 8; ++k)
      matrix.Expects.push_back(
          {"rzb" + Letter(k) + "MatrixOut" + std::to_string(n), Down((route >> k) & 1u)});
    matrix.Expects.push_back({"rzbEffMatrixOut" + std::to_string(n), Down((route >> 8) & 1u)});
  }
  visits.push_back(std::move(matrix));

  Visit gate{{"rzbMenuGate"}, {}, {}};
  for (int n = 0; n < 8; ++n) {
    const Strip s = StripAt(n);
    const std::string k = "In" + Letter(n);
    const int threshold = image.Word(s.Gate + 4) - DynThresholdStoredOffset;
    gate.Expects.push_back({"isGateThreshold" + k, At(threshold)});
    gate.Expects.push_back({"cvdGateThreshold" + k, ThresholdText(threshold)});
    gate.Expects.push_back({"cvdGateAttack" + k, DynTimeText(image.Word(s.Gate))});
    gate.Expects.push_back({"cvdGateRelease" + k, DynTimeText(image.Word(s.Gate + 2))});
  }
  visits.push_back(std::move(gate));

  for (const bool inputs : {true, false}) {
    Visit gain{{"rzbMenuGain", inputs ? "rzbGainSelIn" : "rzbGainSelOut"}, {}, {}};
    for (int channel = inputs ? 0 : 8; channel < (inputs ? 8 : 16); ++channel)
      AddLevel(gain.Expects, image, channel, "Backup" + Suffix(channel));
    visits.push_back(std::move(gain));
  }
  return visits;
}

// The strip's band table holds the device's bands and its plot's markers sit
// at their frequencies and gains.
void ExpectBands(const ParamImage& image, int channel) {
  const std::string suffix = channel == 18 ? "Eff" : Suffix(channel);
  SCOPED_TRACE("bands of " + suffix);
  auto* table = Find<TMyPEQAllpass>("peqPeq" + suffix);
  auto* plot = Find<LMyFFTDrawPhase>("fftDraw" + suffix);
  ASSERT_NE(table, nullptr);
  ASSERT_NE(plot, nullptr);
  const Strip s = StripAt(channel);
  ASSERT_EQ(table->GetChannelNumber(), s.BandCount);
  EXPECT_TRUE(table->GetShowing());
  for (int b = 0; b < s.BandCount; ++b) {
    const Band band = BandAt(image, s, b);
    const double hz = IndexToFreq(band.Freq), db = IndexToPeqGain(band.Gain);
    EXPECT_NEAR(table->GetFreqValue(b), hz, hz * 1e-3) << "band " << b;
    EXPECT_NEAR(table->GetGainValue(b), db, 1e-6) << "band " << b;
    EXPECT_DOUBLE_EQ(table->GetQValue(b), PeqQTable[static_cast<std::size_t>(band.Q)]) << "band " << b;
    EXPECT_EQ(table->GetTypeValue(b), band.Type) << "band " << b;
    EXPECT_EQ(table->GetBypassValue(b), ((image.Word(s.BandBypass) >> b) & 1u) != 0) << "band " << b;
    const TPoint marker = plot->GetBlockPos(b);
    EXPECT_NEAR(marker.X, plot->ScreenX(FrequencyToGridX(hz)), 1.0) << "band " << b;
    EXPECT_NEAR(marker.Y, plot->ScreenY(db), 1.0) << "band " << b;
  }
  if (channel < 16) {
    const std::size_t word = channel < 8 ? sim::at::WholeEqInputs : sim::at::WholeEqOutputs;
    const bool bypassed = (image.Word(word) >> (channel % 8)) & 1u;
    EXPECT_EQ(plot->GetTextString(), bypassed ? "BYPASS" : "");
  }
}

// The knee of a transfer curve, its threshold marker just beside it and the
// slope above the knee.
void ExpectKnee(const std::string& plotName, double thresholdDb, double slopeAbove) {
  SCOPED_TRACE(plotName);
  auto* plot = Find<TiXYPlot>(plotName);
  ASSERT_NE(plot, nullptr);
  ASSERT_EQ(plot->GetChannel(0)->GetCount(), 3);
  ASSERT_EQ(plot->GetChannel(1)->GetCount(), 1);
  EXPECT_DOUBLE_EQ(plot->GetChannel(0)->GetX(1), thresholdDb);
  EXPECT_DOUBLE_EQ(plot->GetChannel(0)->GetY(1), thresholdDb);
  EXPECT_NEAR(plot->GetChannel(1)->GetX(0), thresholdDb, 0.5);
  TiXYPlotChannel* curve = plot->GetChannel(0);
  EXPECT_NEAR((curve->GetY(0) - thresholdDb) / (curve->GetX(0) - thresholdDb), slopeAbove, 1e-9);
}

// A user's click: the pointer comes over the key, presses and releases.
void Click(const std::string& key) {
  auto* button = Find<TRzBmpButton>(key);
  ASSERT_NE(button, nullptr) << key;
  ASSERT_TRUE(button->GetShowing()) << key;
  const int x = button->GetWidth() / 2, y = button->GetHeight() / 2;
  classlib_test::Move(button, x, y);
  classlib_test::Press(button, x, y);
  classlib_test::Release(button, x, y);
}

class Pages : public EditorTest {
 protected:
  // The editor started against the simulator holding image, with the
  // whole set fetched.
  void Connect(const ParamImage& image) {
    FSim.With([&](sim::SimDevice& d) {
      d.SetImage(image);
      d.SetLevelsMoving(false);
      d.SetPresetNumber(7);
    });
    ASSERT_TRUE(FSim.ListenTcp(sim::DeviceAddress, sim::DevicePort)) << FSim.LastError();
    StartEditor();
    ASSERT_TRUE(Await("the upload", [&] { return UploadDone(); }));
    ASSERT_EQ(ModelStream(), DeviceStream(image));
  }

  // Handles the events a click leaves behind (repaints, curve timers).
  void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
  }

  void Render(const std::string& file) {
    const char* dir = std::getenv("TAVO_RENDER_DIR");
    if (!dir) return;
    Settle();
    EXPECT_TRUE(SaveControlImage(fmMain, std::string(dir) + "/" + file));
  }
};

TEST_F(Pages, EveryPageShowsTheDevicesSet) {
  const ParamImage image = PagesImage();
  Connect(image);
  EXPECT_EQ(Shows("lbPstName"), TextAt(image, sim::at::PresetName, sim::PresetNameLength));
  EXPECT_EQ(Shows("lbPstNum"), "U07");
  const char* const modes[] = {"Memorize", "Forget", "U01"};
  for (int m = 0; m < 3; ++m)
    EXPECT_EQ(Find<TMenuItem>(modes[m])->GetChecked(), image.Word(sim::at::Memorize) == m);
  for (int channel = 0; channel < 16; ++channel)
    EXPECT_EQ(Find<TControl>("rzbMenu" + Suffix(channel))->GetHint(),
              TextAt(image, StripAt(channel).Name, sim::ChannelNameLength));

  for (const Visit& visit : PageVisits(image)) {
    SCOPED_TRACE("page of " + visit.Keys.front());
    for (const std::string& key : visit.Keys) Click(key);
    Settle();
    EXPECT_EQ(Shows(visit.Keys.front()), "down");
    for (const Expect& e : visit.Expects) {
      EXPECT_EQ(Shows(e.Control), e.Text) << e.Control;
      if (auto* control = Find<TControl>(e.Control)) {
        EXPECT_TRUE(control->GetShowing()) << e.Control << " hidden";
      }
    }
    for (int channel : visit.BandStrips) ExpectBands(image, channel);
    const std::string& key = visit.Keys.front();
    if (key == "rzbMenuInA") Render("pages-in-a.png");
    if (key == "rzbMenuInH") Render("pages-in-h-linked.png");
    if (key == "rzbMenuEff") Render("pages-eff.png");
    if (key == "rzbMenuComp") {
      // "1:3.5" rises 1 dB in 3.5 above the knee.
      const std::string ratio = CompRatioDisplayText(image.Word(StripAt(8).Comp));
      ASSERT_EQ(ratio.substr(0, 2), "1:");
      ExpectKnee("ipComp", (image.Word(StripAt(8).Comp + 6) - DynThresholdStoredOffset) * 0.5,
                 1 / std::stod(ratio.substr(2)));
      Render("pages-comp.png");
    }
    if (key == "rzbMenuGate")
      ExpectKnee("ipGate", (image.Word(StripAt(0).Gate + 4) - DynThresholdStoredOffset) * 0.5, 1.0);
    if (key == "rzbMenuDelay") {
      // Longer delays sit further along their lines.
      for (int n = 2; n <= 8; ++n)
        EXPECT_GT(Find<TControl>("imDelayOut" + std::to_string(n))->GetLeft(),
                  Find<TControl>("imDelayOut" + std::to_string(n - 1))->GetLeft());
    }
  }
  EXPECT_EQ(fmMain->GetState().CurrentPage, PageGain);
  // Looking changed nothing.
  EXPECT_EQ(ModelStream(), DeviceStream(image));
  EXPECT_EQ(Differences(FSim.Image(), image), "");
}

// A set that arrives while a page is shown (here by a recall) shows on it at
// once: its panel, band panel and band table.
TEST_F(Pages, ASetRecalledWhileAPageIsShownShowsOnIt) {
  ParamImage shown = PagesImage();
  ParamImage next = shown;
  const Strip b = StripAt(1);
  PutBand(next, b, 0, {150, 222, 44, 0});
  next.SetWord(b.HighPass, 9);
  next.SetWord(b.HighPass + 2, 77);
  next.SetWord(b.Gain, 345);
  PutBand(next, StripAt(18), 0, {90, 250, 12, 0});
  Connect(shown);

  // Each recall brings the set that is not shown.
  for (const auto& [key, visitIndex] : {std::pair{"rzbMenuInB", 1}, std::pair{"rzbMenuEff", 18}}) {
    SCOPED_TRACE(key);
    Click(key);
    FSim.With([&](sim::SimDevice& d) { d.StorePreset(3, next); });
    const std::size_t packets = FSim.CountReceived(0x27);
    Steps().When(
        "a recall", [] { return true; }, [] { fmMain->RecallPreset(3); });
    ASSERT_TRUE(Await("the recalled set", [&] {
      return FSim.CountReceived(0x27) == packets + 26 && fmMain->IsOnline() && !Shown(fmProcess);
    }));
    ASSERT_EQ(Differences(FSim.Image(), next), "");
    const Visit visit = PageVisits(next).at(visitIndex);
    ASSERT_EQ(visit.Keys.front(), key);
    for (const Expect& e : visit.Expects) EXPECT_EQ(Shows(e.Control), e.Text) << e.Control;
    for (int channel : visit.BandStrips) ExpectBands(next, channel);
    std::swap(shown, next);
  }
}

// A fader moved on its page: what it stores on the device.
struct FaderEdit {
  std::vector<std::string> Keys;
  std::string Fader;
  int Position;
  std::vector<std::size_t> Words;  // where the device keeps it: the channel and its link group
  int Stored;
};

TEST_F(Pages, EditsOnThePagesReachTheDevice) {
  const ParamImage image = PagesImage();
  Connect(image);
  const std::vector<FaderEdit> faders = {
      {{"rzbMenuGain", "rzbGainSelOut"},
       "isGainBackupOut3",
       -123,
       {StripAt(10).Gain},
       -123 + GainStoredOffset},
      {{"rzbMenuInE"}, "isGainInA", 45, {StripAt(4).Gain}, 45 + GainStoredOffset},
      // On a linked member's page: the whole group.
      {{"rzbMenuInH"}, "isGainInA", 77, {StripAt(6).Gain, StripAt(7).Gain}, 77 + GainStoredOffset},
      {{"rzbMenuComp"}, "isCompThresholdOut2", -37, {StripAt(9).Comp + 6}, -37 + DynThresholdStoredOffset},
      {{"rzbMenuDelay", "rzbDelaySelOut"}, "isDelayOut5", 4321, {StripAt(12).Delay}, 4321},
  };
  for (const FaderEdit& edit : faders) {
    SCOPED_TRACE(edit.Fader);
    for (std::size_t word : edit.Words) ASSERT_NE(image.Word(word), edit.Stored);
    for (const std::string& key : edit.Keys) Click(key);
    auto* fader = Find<TAdvTrackBar>(edit.Fader);
    ASSERT_NE(fader, nullptr);
    ASSERT_TRUE(fader->GetShowing());
    fader->SetPosition(edit.Position);
  }

  // A band frequency and a band gain typed into input B's band table, and a
  // band gain into the table input H's page shows: its leader G's.
  const auto type = [&](const std::string& key, const std::string& tableName, int row, TPeqCell cell,
                        const std::string& text) {
    Click(key);
    auto* table = Find<TMyPEQAllpass>(tableName);
    ASSERT_NE(table, nullptr);
    ASSERT_TRUE(table->GetShowing());
    table->SetFieldText(row, cell, text);
    std::uint16_t enter = VK_RETURN;
    if (cell == pcFrequency)
      table->FrequencyKeyDown(row, enter, {});
    else
      table->GainKeyDown(row, enter, {});
  };
  type("rzbMenuInB", "peqPeqInB", 1, pcFrequency, "2500");
  type("rzbMenuInB", "peqPeqInB", 3, pcGain, "-4.5");
  type("rzbMenuInH", "peqPeqInG", 0, pcGain, "7.3");

  // Input C's band 3 dragged on its plot.
  Click("rzbMenuInC");
  auto* plot = Find<LMyFFTDrawPhase>("fftDrawInC");
  ASSERT_NE(plot, nullptr);
  ASSERT_TRUE(plot->GetShowing());
  const TRect area = plot->GetPlotPage()->ScreenRect;
  const TPoint marker = plot->GetBlockPos(2);
  const int x0 = area.Left + marker.X, y0 = area.Top + marker.Y;
  const int x = x0 - 37, y = y0 + 23;
  plot->OnMouseDown(plot, mbLeft, {ssLeft}, x0, y0);
  ASSERT_EQ(fmMain->GetState().DragHandle, 2);
  plot->OnMouseMove(plot, {ssLeft}, x0 - 12, y0 + 5);
  plot->OnMouseMove(plot, {ssLeft}, x, y);
  plot->OnMouseUp(plot, mbLeft, {}, x, y);
  const double draggedHz = std::pow(10.0, plot->PlotX(x) * std::log10(48000.0) / 4096);
  const int draggedGain = PeqGainIndexZero + static_cast<int>(std::trunc(plot->PlotY(y) * 10));

  ASSERT_TRUE(Await("the device to hold the editor's set",
                    [&] { return DeviceStream(FSim.Image()) == ModelStream(); }));
  const ParamImage device = FSim.Image();
  // The typed and dragged values, the rest of each band as it was, and
  // nothing else moved.
  ParamImage expected = image;
  for (const FaderEdit& edit : faders)
    for (std::size_t word : edit.Words) expected.SetWord(word, static_cast<std::uint16_t>(edit.Stored));
  Band typedFreq = BandAt(image, StripAt(1), 1);
  typedFreq.Freq = FreqToIndex(2500);
  PutBand(expected, StripAt(1), 1, typedFreq);
  Band typedGain = BandAt(image, StripAt(1), 3);
  typedGain.Gain = PeqGainToIndex(-4.5);
  PutBand(expected, StripAt(1), 3, typedGain);
  Band groupGain = BandAt(image, StripAt(6), 0);
  groupGain.Gain = PeqGainToIndex(7.3);
  for (int member : {6, 7}) PutBand(expected, StripAt(member), 0, groupGain);
  // A member takes over the edited channel's whole band-bypass word.
  expected.SetWord(StripAt(7).BandBypass, image.Word(StripAt(6).BandBypass));
  Band dragged = BandAt(image, StripAt(2), 2);
  ASSERT_NE(dragged.Freq, FreqToIndex(draggedHz));
  dragged.Freq = FreqToIndex(draggedHz);
  dragged.Gain = draggedGain;
  PutBand(expected, StripAt(2), 2, dragged);
  EXPECT_EQ(Differences(device, expected), "");
}

}  // namespace
