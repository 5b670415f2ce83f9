#pragma once
// Plain records of the parameter set, shared by the device commands (which
// lay them out in payloads) and the parameter model (which keeps them in the
// preset image). Fields are in the stored order; a word is 16 bits and is
// stored low byte first. Size is the record's size in bytes, the same on the
// wire and in the preset image. Every field starts at zero.
//
// Each record lists its fields once, in stored order (Fields); LoadRecord and
// StoreRecord walk that list, so a layout is written in one place. The
// caller guarantees that Size bytes are there.

#include <cstddef>
#include <cstdint>
#include <tuple>
#include <type_traits>

struct GroupCtrlRecord {
  static constexpr std::size_t Size = 3;
  std::uint8_t Volume{};  // 0..100
  std::uint8_t Mute{};    // 0/1
  std::uint8_t ChannelMask{};
  static constexpr auto Fields() {
    return std::make_tuple(&GroupCtrlRecord::Volume, &GroupCtrlRecord::Mute, &GroupCtrlRecord::ChannelMask);
  }
};

struct SubCtrlRecord {
  static constexpr std::size_t Size = 4;
  std::uint8_t Volume{};  // 0..100
  std::uint8_t Mute{};
  std::uint16_t ChannelMask{};
  static constexpr auto Fields() {
    return std::make_tuple(&SubCtrlRecord::Volume, &SubCtrlRecord::Mute, &SubCtrlRecord::ChannelMask);
  }
};

struct PeqBandRecord {
  static constexpr std::size_t Size = 6;
  std::uint16_t Gain{};  // PeqGainIndex, 120 = 0 dB
  std::uint16_t Freq{};  // FreqIndex
  std::uint8_t Q{};      // PeqQIndex
  std::uint8_t Type{};   // PeqTypeIndex
  static constexpr auto Fields() {
    return std::make_tuple(&PeqBandRecord::Gain, &PeqBandRecord::Freq, &PeqBandRecord::Q,
                           &PeqBandRecord::Type);
  }
};

struct GateRecord {
  static constexpr std::size_t Size = 6;
  std::uint16_t Attack{};     // DynTime
  std::uint16_t Release{};    // DynTime
  std::uint16_t Threshold{};  // DynThreshold + 180
  static constexpr auto Fields() {
    return std::make_tuple(&GateRecord::Attack, &GateRecord::Release, &GateRecord::Threshold);
  }
};

struct CompRecord {
  static constexpr std::size_t Size = 8;
  std::uint16_t Ratio{};      // CompRatioIndex
  std::uint16_t Attack{};     // DynTime
  std::uint16_t Release{};    // DynTime
  std::uint16_t Threshold{};  // DynThreshold + 180
  static constexpr auto Fields() {
    return std::make_tuple(&CompRecord::Ratio, &CompRecord::Attack, &CompRecord::Release,
                           &CompRecord::Threshold);
  }
};

struct MixGateRecord {
  static constexpr std::size_t Size = 10;
  std::uint16_t Attack{};     // DynTime
  std::uint16_t Release{};    // DynTime
  std::uint16_t Threshold{};  // DynThreshold + 180
  std::uint16_t InputMask{};  // bit n = input n
  std::uint16_t Reserved{};   // kept as the device sent it
  static constexpr auto Fields() {
    return std::make_tuple(&MixGateRecord::Attack, &MixGateRecord::Release, &MixGateRecord::Threshold,
                           &MixGateRecord::InputMask, &MixGateRecord::Reserved);
  }
};

struct EchoRecord {
  static constexpr std::size_t Size = 8;
  std::uint16_t PreDelay{};
  std::uint16_t Delay{};
  std::uint16_t Repeat{};
  std::uint16_t Gain{};
  static constexpr auto Fields() {
    return std::make_tuple(&EchoRecord::PreDelay, &EchoRecord::Delay, &EchoRecord::Repeat, &EchoRecord::Gain);
  }
};

struct ReverbRecord {
  static constexpr std::size_t Size = 8;
  std::uint16_t PreDelay{};
  std::uint16_t Reflect{};
  std::uint16_t Time{};
  std::uint16_t Gain{};
  static constexpr auto Fields() {
    return std::make_tuple(&ReverbRecord::PreDelay, &ReverbRecord::Reflect, &ReverbRecord::Time,
                           &ReverbRecord::Gain);
  }
};

namespace device_records_detail {

template <class Record, class Field>
constexpr std::size_t FieldSize(Field Record::*) {
  return sizeof(Field);
}

template <class Record>
constexpr std::size_t LaidOutSize() {
  return std::apply([](auto... f) { return (FieldSize(f) + ...); }, Record::Fields());
}

}  // namespace device_records_detail

template <class Record>
void LoadRecord(const std::uint8_t* p, Record& r) {
  std::apply(
      [&](auto... field) {
        ((r.*field = static_cast<std::remove_reference_t<decltype(r.*field)>>(
              sizeof(r.*field) == 1 ? p[0] : p[0] | (p[1] << 8)),
          p += sizeof(r.*field)),
         ...);
      },
      Record::Fields());
}

template <class Record>
void StoreRecord(std::uint8_t* p, const Record& r) {
  std::apply(
      [&](auto... field) {
        ((p[0] = static_cast<std::uint8_t>(r.*field & 0xFF),
          sizeof(r.*field) == 2 ? void(p[1] = static_cast<std::uint8_t>(r.*field >> 8)) : void(),
          p += sizeof(r.*field)),
         ...);
      },
      Record::Fields());
}

static_assert(device_records_detail::LaidOutSize<GroupCtrlRecord>() == GroupCtrlRecord::Size);
static_assert(device_records_detail::LaidOutSize<SubCtrlRecord>() == SubCtrlRecord::Size);
static_assert(device_records_detail::LaidOutSize<PeqBandRecord>() == PeqBandRecord::Size);
static_assert(device_records_detail::LaidOutSize<GateRecord>() == GateRecord::Size);
static_assert(device_records_detail::LaidOutSize<CompRecord>() == CompRecord::Size);
static_assert(device_records_detail::LaidOutSize<MixGateRecord>() == MixGateRecord::Size);
static_assert(device_records_detail::LaidOutSize<EchoRecord>() == EchoRecord::Size);
static_assert(device_records_detail::LaidOutSize<ReverbRecord>() == ReverbRecord::Size);
