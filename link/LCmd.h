#pragma once
// One device command: the addressed device, the command code and the payload.
// The command classes derive from it and only lay out their payloads.

#include <cstdint>
#include <vector>

using ByteVector = std::vector<std::uint8_t>;

class LCmd {
public:
    LCmd() = default;
    LCmd(std::uint8_t id, std::uint8_t code) : DeviceId(id), Code(code) {}
    virtual ~LCmd() = default;

    std::uint8_t DeviceId = 0;
    std::uint8_t Code = 0;
    ByteVector Payload;
};
