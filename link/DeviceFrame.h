#pragma once
// The bytes of one frame on every link:
//   10 02 00 id n code payload(n-1) 10 03 check
// n counts the code and the payload; check is the XOR of every byte before
// it. There is no byte stuffing, so only the length byte tells where a frame
// ends. A received frame carries the device ID at index 2, not 3.

#include <cstddef>
#include <cstdint>

struct DeviceFrame {
  static constexpr std::uint8_t Dle = 0x10;
  static constexpr std::uint8_t Stx = 0x02;
  static constexpr std::uint8_t Etx = 0x03;

  static constexpr std::size_t IdIndex = 2;      // where a receiver reads the ID
  static constexpr std::size_t SentIdIndex = 3;  // where the editor writes it
  static constexpr std::size_t LengthIndex = 4;
  static constexpr std::size_t CodeIndex = 5;
  static constexpr std::size_t PayloadIndex = 6;

  // Bytes around the payload: header (6) and trailer plus check (3), minus
  // the code that n already counts.
  static constexpr std::size_t Overhead = 8;
  static constexpr std::size_t MaxPayload = 254;          // n = 255
  static constexpr std::size_t MaxSize = 255 + Overhead;  // 263

  static constexpr std::size_t SizeFor(std::uint8_t n) { return std::size_t{n} + Overhead; }
};
