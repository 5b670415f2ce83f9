#pragma once
// Plain records of the parameter set, shared by the device commands (which
// lay them out in payloads) and the parameter model (which keeps them in the
// preset image). Fields are in the stored order; a word is 16 bits and is
// stored low byte first. Size is the record's size in bytes, the same on the
// wire and in the preset image. Every field starts at zero.
//
// LoadRecord/StoreRecord convert between a record and its Size bytes; the
// caller guarantees that Size bytes are there.

#include <cstddef>
#include <cstdint>

struct GroupCtrlRecord {
    static constexpr std::size_t Size = 3;
    std::uint8_t Volume{};          // 0..100
    std::uint8_t Mute{};            // 0/1
    std::uint8_t ChannelMask{};
};

struct SubCtrlRecord {
    static constexpr std::size_t Size = 4;
    std::uint8_t Volume{};          // 0..100
    std::uint8_t Mute{};
    std::uint16_t ChannelMask{};
};

struct PeqBandRecord {
    static constexpr std::size_t Size = 6;
    std::uint16_t Gain{};           // PeqGainIndex, 120 = 0 dB
    std::uint16_t Freq{};           // FreqIndex
    std::uint8_t Q{};               // PeqQIndex
    std::uint8_t Type{};            // PeqTypeIndex
};

struct GateRecord {
    static constexpr std::size_t Size = 6;
    std::uint16_t Attack{};         // DynTime
    std::uint16_t Release{};        // DynTime
    std::uint16_t Threshold{};      // DynThreshold + 180
};

struct CompRecord {
    static constexpr std::size_t Size = 8;
    std::uint16_t Ratio{};          // CompRatioIndex
    std::uint16_t Attack{};         // DynTime
    std::uint16_t Release{};        // DynTime
    std::uint16_t Threshold{};      // DynThreshold + 180
};

struct MixGateRecord {
    static constexpr std::size_t Size = 10;
    std::uint16_t Attack{};         // DynTime
    std::uint16_t Release{};        // DynTime
    std::uint16_t Threshold{};      // DynThreshold + 180
    std::uint16_t InputMask{};      // bit n = input n
    std::uint16_t Reserved{};       // kept as the device sent it
};

struct EchoRecord {
    static constexpr std::size_t Size = 8;
    std::uint16_t PreDelay{};
    std::uint16_t Delay{};
    std::uint16_t Repeat{};
    std::uint16_t Gain{};
};

struct ReverbRecord {
    static constexpr std::size_t Size = 8;
    std::uint16_t PreDelay{};
    std::uint16_t Reflect{};
    std::uint16_t Time{};
    std::uint16_t Gain{};
};

namespace device_records_detail {
inline std::uint16_t Word(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline void PutWord(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v & 0xFF);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
} // namespace device_records_detail

inline void LoadRecord(const std::uint8_t* p, GroupCtrlRecord& r) {
    r.Volume = p[0];
    r.Mute = p[1];
    r.ChannelMask = p[2];
}
inline void StoreRecord(std::uint8_t* p, const GroupCtrlRecord& r) {
    p[0] = r.Volume;
    p[1] = r.Mute;
    p[2] = r.ChannelMask;
}

inline void LoadRecord(const std::uint8_t* p, SubCtrlRecord& r) {
    r.Volume = p[0];
    r.Mute = p[1];
    r.ChannelMask = device_records_detail::Word(p + 2);
}
inline void StoreRecord(std::uint8_t* p, const SubCtrlRecord& r) {
    p[0] = r.Volume;
    p[1] = r.Mute;
    device_records_detail::PutWord(p + 2, r.ChannelMask);
}

inline void LoadRecord(const std::uint8_t* p, PeqBandRecord& r) {
    r.Gain = device_records_detail::Word(p);
    r.Freq = device_records_detail::Word(p + 2);
    r.Q = p[4];
    r.Type = p[5];
}
inline void StoreRecord(std::uint8_t* p, const PeqBandRecord& r) {
    device_records_detail::PutWord(p, r.Gain);
    device_records_detail::PutWord(p + 2, r.Freq);
    p[4] = r.Q;
    p[5] = r.Type;
}

inline void LoadRecord(const std::uint8_t* p, GateRecord& r) {
    r.Attack = device_records_detail::Word(p);
    r.Release = device_records_detail::Word(p + 2);
    r.Threshold = device_records_detail::Word(p + 4);
}
inline void StoreRecord(std::uint8_t* p, const GateRecord& r) {
    device_records_detail::PutWord(p, r.Attack);
    device_records_detail::PutWord(p + 2, r.Release);
    device_records_detail::PutWord(p + 4, r.Threshold);
}

inline void LoadRecord(const std::uint8_t* p, CompRecord& r) {
    r.Ratio = device_records_detail::Word(p);
    r.Attack = device_records_detail::Word(p + 2);
    r.Release = device_records_detail::Word(p + 4);
    r.Threshold = device_records_detail::Word(p + 6);
}
inline void StoreRecord(std::uint8_t* p, const CompRecord& r) {
    device_records_detail::PutWord(p, r.Ratio);
    device_records_detail::PutWord(p + 2, r.Attack);
    device_records_detail::PutWord(p + 4, r.Release);
    device_records_detail::PutWord(p + 6, r.Threshold);
}

inline void LoadRecord(const std::uint8_t* p, MixGateRecord& r) {
    r.Attack = device_records_detail::Word(p);
    r.Release = device_records_detail::Word(p + 2);
    r.Threshold = device_records_detail::Word(p + 4);
    r.InputMask = device_records_detail::Word(p + 6);
    r.Reserved = device_records_detail::Word(p + 8);
}
inline void StoreRecord(std::uint8_t* p, const MixGateRecord& r) {
    device_records_detail::PutWord(p, r.Attack);
    device_records_detail::PutWord(p + 2, r.Release);
    device_records_detail::PutWord(p + 4, r.Threshold);
    device_records_detail::PutWord(p + 6, r.InputMask);
    device_records_detail::PutWord(p + 8, r.Reserved);
}

inline void LoadRecord(const std::uint8_t* p, EchoRecord& r) {
    r.PreDelay = device_records_detail::Word(p);
    r.Delay = device_records_detail::Word(p + 2);
    r.Repeat = device_records_detail::Word(p + 4);
    r.Gain = device_records_detail::Word(p + 6);
}
inline void StoreRecord(std::uint8_t* p, const EchoRecord& r) {
    device_records_detail::PutWord(p, r.PreDelay);
    device_records_detail::PutWord(p + 2, r.Delay);
    device_records_detail::PutWord(p + 4, r.Repeat);
    device_records_detail::PutWord(p + 6, r.Gain);
}

inline void LoadRecord(const std::uint8_t* p, ReverbRecord& r) {
    r.PreDelay = device_records_detail::Word(p);
    r.Reflect = device_records_detail::Word(p + 2);
    r.Time = device_records_detail::Word(p + 4);
    r.Gain = device_records_detail::Word(p + 6);
}
inline void StoreRecord(std::uint8_t* p, const ReverbRecord& r) {
    device_records_detail::PutWord(p, r.PreDelay);
    device_records_detail::PutWord(p + 2, r.Reflect);
    device_records_detail::PutWord(p + 4, r.Time);
    device_records_detail::PutWord(p + 6, r.Gain);
}
