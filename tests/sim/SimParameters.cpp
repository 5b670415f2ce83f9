// The simulated device's reading of the parameter commands: which fields of
// its set each one changes, and for which channels. Payload lengths were
// checked against the command table before any of this runs.
#include "tests/sim/SimDevice.h"

#include <algorithm>

namespace sim {

namespace {

constexpr int AutoMixGateIndex = 18;
constexpr int CameraGateIndex = 19;
constexpr std::size_t BandRecordSize = 6;
constexpr std::size_t GateInputMask = 6;  // within a mix-gate record

std::uint16_t WordAt(const ByteVector& p, std::size_t i) {
  return static_cast<std::uint16_t>(p[i] | (p[i + 1] << 8));
}

std::span<const std::uint8_t> BytesAt(const ByteVector& p, std::size_t i, std::size_t count) {
  return std::span<const std::uint8_t>(p).subspan(i, count);
}

bool Has(std::size_t field) {
  return field != Strip::None;
}

}  // namespace

std::vector<int> SimDevice::GroupOf(int channel) const {
  const auto strip = StripOf(channel);
  if (!strip || !Has(strip->Link)) return {};
  // A group is recorded in the mask of its lowest member; a channel whose
  // own mask holds its own bit holds its group.
  const int i = strip->Index;
  const auto holds = [i](std::uint16_t mask) { return ((mask >> i) & 1u) != 0; };
  std::uint16_t group = FCurrent.Word(strip->Link);
  if (!holds(group)) {
    group = static_cast<std::uint16_t>(1u << i);  // no recorded group: alone
    for (int lower = 0; lower < i; ++lower) {
      const std::uint16_t mask = FCurrent.Word(StripOf(ChannelOf(strip->Kind, lower))->Link);
      if (holds(mask)) {
        group = mask;
        break;
      }
    }
  }
  std::vector<int> members;
  for (int m = 0; m < 8; ++m)
    if ((group >> m) & 1u) members.push_back(ChannelOf(strip->Kind, m));
  return members;
}

bool SimDevice::ApplyParameter(const LCmd& request) {
  return ApplyChannelParameter(request) || ApplySetParameter(request);
}

bool SimDevice::ApplyChannelParameter(const LCmd& request) {
  const ByteVector& p = request.Payload;
  if (p.empty()) return false;
  const int channel = p[0];
  const auto strip = StripOf(channel);
  // The edited channel and its link group; the effect bus has no group.
  const auto eachMember = [&](auto&& change) {
    if (!strip) return;
    if (strip->Kind == Side::Effect) {
      change(*strip);
      return;
    }
    for (int member : GroupOf(channel)) change(*StripOf(member));
  };

  switch (request.Code) {
    case CM_MCS_GAIN::CODE:
      eachMember([&](const Strip& s) { FCurrent.SetWord(s.Gain, WordAt(p, 1)); });
      return true;
    case CM_MCS_POLARITY::CODE:
      eachMember([&](const Strip& s) {
        if (Has(s.Polarity)) FCurrent.SetWord(s.Polarity, p[1]);
      });
      return true;
    case CM_MCS_MUTE::CODE:
      if (strip && strip->Kind == Side::Effect)
        FCurrent.SetWord(at::EffectMute, p[1]);
      else
        eachMember(
            [&](const Strip& s) { FCurrent.SetBit(s.MuteWord, static_cast<unsigned>(s.Index), p[1] != 0); });
      return true;
    case CM_MCS_DELAY::CODE:
      eachMember([&](const Strip& s) {
        if (Has(s.Delay)) FCurrent.SetWord(s.Delay, WordAt(p, 1));
      });
      return true;
    case CM_MCS_COMP::CODE:
      eachMember([&](const Strip& s) {
        if (Has(s.Comp)) FCurrent.Put(s.Comp, BytesAt(p, 1, 8));
      });
      return true;
    case CM_MCS_GATE::CODE:
      eachMember([&](const Strip& s) {
        if (Has(s.Gate)) FCurrent.Put(s.Gate, BytesAt(p, 1, 6));
      });
      return true;
    case CommandCode("FEEDBACK_LEVEL"):
      eachMember([&](const Strip& s) {
        if (Has(s.Feedback)) FCurrent.SetWord(s.Feedback, p[1]);
      });
      return true;
    case CM_MCS_HIGH_PASS::CODE:
    case CM_MCS_LOW_PASS::CODE: {
      const bool high = request.Code == CM_MCS_HIGH_PASS::CODE;
      eachMember([&](const Strip& s) {
        const std::size_t filter = high ? s.HighPass : s.LowPass;
        if (!Has(filter)) return;
        FCurrent.SetWord(filter, p[3]);
        FCurrent.SetWord(filter + 2, WordAt(p, 1));
      });
      return true;
    }
    case CM_MCS_PEQ::CODE:
      ApplyBand(channel, request);
      return true;
    case CM_MCS_MATRIX::CODE:
      ApplyRoute(channel, WordAt(p, 1));
      return true;
    case CommandCode("LINK_MASK"):
      if (strip && Has(strip->Link)) FCurrent.SetWord(strip->Link, p[1]);
      return true;
    case CM_MCS_CHANNEL_NAME::CODE:
      if (strip) FCurrent.Put(strip->Name, BytesAt(p, 1, ChannelNameLength));
      return true;
    case CommandCode("PHANTOM"):
      eachMember([&](const Strip& s) {
        if (Has(s.Phantom)) FCurrent.SetByte(s.Phantom, p[1]);
      });
      return true;
    case CommandCode("MIC_GAIN"):
      eachMember([&](const Strip& s) {
        if (!Has(s.MicGain)) return;
        FCurrent.SetByte(s.MicGain, p[1]);
        // Line level carries no phantom power.
        if (p[1] == 0) FCurrent.SetByte(s.Phantom, 0);
      });
      return true;
    case CommandCode("EQ_BYPASS"):
      if (strip) FCurrent.SetBit(strip->WholeEq, static_cast<unsigned>(strip->Index), p[1] != 0);
      return true;
    case CommandCode("COPY_CHANNEL"):
      CopyStrip(channel, p[1]);
      return true;
    default:
      return false;
  }
}

bool SimDevice::ApplySetParameter(const LCmd& request) {
  const ByteVector& p = request.Payload;
  switch (request.Code) {
    case CM_MCS_DELAYUNIT::CODE:
      FCurrent.SetWord(at::DelayUnitWord, p[0]);
      return true;
    case CM_MCS_PRESETNAME::CODE:
      FCurrent.Put(at::PresetName, BytesAt(p, 0, PresetNameLength));
      return true;
    case CM_MCS_WORK_MODE::CODE:
      FCurrent.SetWord(at::TestSource, p[0]);
      FCurrent.SetWord(at::SineIndex, p[1]);
      return true;
    case CommandCode("MEMORIZE_MODE"):
      FCurrent.SetWord(at::Memorize, p[0]);
      return true;
    case CM_MCS_DSP_SUB_CTRL::CODE:
      FCurrent.Put(p[0] == 0 ? at::SubControl0 : at::SubControl1, BytesAt(p, 1, 4));
      return true;
    case CM_MCS_GROUP_CTRL::CODE:
      if (p[0] < GroupCount)
        std::copy_n(p.begin() + 1, GroupRecordSize, FGroupBytes.begin() + GroupRecordSize * p[0]);
      return true;
    case CommandCode("EFFECT"):
      FCurrent.SetByte(at::EffectOn, p[0]);
      FCurrent.SetByte(at::EffectVolume, p[1]);
      return true;
    case CM_MCS_MIX_GATE::CODE:
      if (p[0] == AutoMixGateIndex) FCurrent.Put(at::AutoMixGate, BytesAt(p, 1, 10));
      if (p[0] == CameraGateIndex) FCurrent.Put(at::CameraGate, BytesAt(p, 1, 10));
      return true;
    case CommandCode("AUTOMIX_SLOPE"):
      FCurrent.SetWord(at::AutoMixSlope, p[0]);
      return true;
    case CommandCode("CAMERA_DEFAULT"):
      FCurrent.SetByte(at::CameraDefault, p[0]);
      return true;
    case CM_MCS_RVB::CODE:
      FCurrent.Put(at::Reverb, BytesAt(p, 0, 8));
      return true;
    case CM_MCS_ECHO::CODE:
      FCurrent.Put(at::Echo, BytesAt(p, 0, 8));
      return true;
    default:
      return false;
  }
}

void SimDevice::ApplyBand(int channel, const LCmd& request) {
  const ByteVector& p = request.Payload;
  const auto strip = StripOf(channel);
  const int band = p[1];
  if (!strip || band >= strip->BandCount) return;
  const auto record = BytesAt(p, 2, BandRecordSize);
  const std::size_t offset = BandRecordSize * static_cast<std::size_t>(band);
  FCurrent.SetBit(strip->BandBypass, static_cast<unsigned>(band), p[8] != 0);
  if (strip->Kind == Side::Effect) {
    FCurrent.Put(strip->Bands + offset, record);
    return;
  }
  // Members take the band and the edited channel's whole band-bypass word.
  const std::uint16_t bypass = FCurrent.Word(strip->BandBypass);
  for (int member : GroupOf(channel)) {
    const Strip s = *StripOf(member);
    FCurrent.Put(s.Bands + offset, record);
    FCurrent.SetWord(s.BandBypass, bypass);
  }
}

void SimDevice::ApplyRoute(int channel, std::uint16_t mask) {
  const auto strip = StripOf(channel);
  if (!strip) return;
  if (Has(strip->Route)) {
    FCurrent.SetWord(strip->Route, mask);
    return;
  }
  if (strip->Kind != Side::Effect) return;
  FCurrent.SetByte(at::EffectRoute, static_cast<std::uint8_t>(mask));
  // An input that no longer feeds the effect bus leaves both gates.
  for (std::size_t gate : {at::AutoMixGate, at::CameraGate})
    FCurrent.SetWord(gate + GateInputMask,
                     static_cast<std::uint16_t>(FCurrent.Word(gate + GateInputMask) & mask));
}

void SimDevice::CopyStrip(int from, int to) {
  const auto a = StripOf(from);
  const auto b = StripOf(to);
  if (!a || !b || a->Kind != b->Kind || a->Kind == Side::Effect) return;
  FCurrent.SetWord(b->BandBypass, FCurrent.Word(a->BandBypass));
  const auto bitOf = [&](std::size_t word, const Strip& s) {
    return ((FCurrent.Word(word) >> s.Index) & 1u) != 0;
  };
  FCurrent.SetBit(b->MuteWord, static_cast<unsigned>(b->Index), bitOf(a->MuteWord, *a));
  FCurrent.SetBit(b->WholeEq, static_cast<unsigned>(b->Index), bitOf(a->WholeEq, *a));
  const ParamImage before = FCurrent;
  FCurrent.Put(b->CopyFrom,
               std::span<const std::uint8_t>(before.Bytes).subspan(a->CopyFrom, 2 * a->CopyWords));
}

}  // namespace sim
