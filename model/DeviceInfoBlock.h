#pragma once
// Device records that the editor keeps without interpreting them: the
// device-info block (the device's 19 bytes at memory address 0) and the
// stored slots read during a unit-file upload.

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr std::size_t DeviceInfoSize = 19;
using DeviceInfoBlock = std::array<std::uint8_t, DeviceInfoSize>;

inline constexpr int StoredSlotCount = 21;        // slot numbers 1..21
inline constexpr std::size_t StagingSize = 1278;  // staged stream of 26 packets
inline constexpr std::size_t StoredSlotSize = 1278;
// Slot number byte, then the first 1272 staged bytes of the slot's stream.
inline constexpr std::size_t StoredSlotUsed = 1273;
using StoredSlot = std::array<std::uint8_t, StoredSlotSize>;
