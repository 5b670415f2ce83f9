#pragma once
// Every command the editor sends, one row each: its code, its name, whether
// its senders pass the append mark of the link queue, which leading payload
// bytes name what it addresses (frames of the same code coalesce only when
// these agree), and the length of the payload it carries.
//
// Everything else reads its facts from here: the command classes take their
// codes by name, the engines their coalescing targets, the model its codes
// and the simulator its framing. Adding a command is adding a row.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Whether a command's senders pass the append mark of the link queue.
enum class AppendMark : std::uint8_t {
  Yes,        // always appended
  No,         // never appended
  PerSender,  // setters send it plain, preset-file sends and the like append
  Unknown,    // not a command the editor sends
};

// The leading payload bytes that name what a command addresses.
enum class CommandTarget : std::uint8_t {
  None,         // values only: coalesces on its code alone
  Channel,      // channel byte
  ChannelBand,  // channel byte, band byte
  ChannelPair,  // source and destination channel
  Index,        // preset number, slot, packet, record or gate index
  Address,      // 16-bit memory address
  BlockRecord,  // download block index, record number
};

constexpr std::size_t TargetSize(CommandTarget t) {
  switch (t) {
    case CommandTarget::Channel:
    case CommandTarget::Index:
      return 1;
    case CommandTarget::ChannelBand:
    case CommandTarget::ChannelPair:
    case CommandTarget::Address:
    case CommandTarget::BlockRecord:
      return 2;
    case CommandTarget::None:
      break;
  }
  return 0;
}

struct CommandInfo {
  std::uint8_t Code;
  std::string_view Name;
  AppendMark Append;
  CommandTarget Target;
  // Payload bytes the editor sends; for a command whose data length varies
  // (Variable), the bytes before its data.
  std::uint8_t Payload;
  bool Variable = false;
};

namespace command_table_detail {
using A = AppendMark;
using T = CommandTarget;
constexpr bool Var = true;
}  // namespace command_table_detail

// Codes with a command class of their own carry the class's name; the
// others travel as CM_MCS_CMD with the code taken from here.
inline constexpr auto CommandTable = [] {
  using namespace command_table_detail;
  return std::to_array<CommandInfo>({
      // Connection, lock and device settings.
      {0x04, "CM_MCS_MCU_RESET", A::Yes, T::None, 0},
      {0x10, "HELLO", A::Yes, T::None, 0},
      {0x11, "GOODBYE", A::Yes, T::None, 0},
      // Plain as keep-alive and closing, appended after link changes.
      {0x12, "KEEP_ALIVE", A::PerSender, T::None, 0},
      {0x2C, "LOCK_STATUS", A::Yes, T::None, 0},
      {0x2D, "CM_MCS_PASS_SUBMIT", A::Yes, T::None, 5},
      {0x2F, "CM_MCS_SET_LOCK", A::Yes, T::None, 4},
      {0x52, "IDENTITY", A::Yes, T::None, 0},
      {0x6A, "MEMORIZE_MODE", A::Yes, T::None, 1},
      {0xB0, "ASK_ADDRESS", A::Yes, T::None, 0},
      {0xB8, "SET_ADDRESS", A::Yes, T::None, 4},
      {0xBB, "SET_DEVICE_ID", A::Yes, T::None, 1},

      // Transfers.
      {0x14, "PRESET_NUMBER", A::Yes, T::None, 0},
      {0x19, "CM_MCS_READ_EEPROM", A::Yes, T::Address, 3},
      {0x1A, "CM_MCS_WRITE_EEPROM", A::Yes, T::Address, 3, Var},
      {0x20, "RECALL", A::Yes, T::Index, 1},
      {0x21, "STORE", A::Yes, T::Index, 1},
      // Plain after the lock status or unlock, appended after a copy or a
      // link change.
      {0x22, "UPLOAD", A::PerSender, T::None, 0},
      {0x23, "FACTORY_RESET", A::Yes, T::None, 0},
      {0x24, "SELECT_SLOT", A::Yes, T::Index, 1},
      {0x25, "CM_MCS_DOWNLOAD", A::Yes, T::BlockRecord, 2, Var},
      {0x26, "CM_MCS_PRESETNAME", A::Yes, T::None, 14},
      {0x27, "STATE_PACKET", A::Yes, T::Index, 1},
      {0x28, "SLOT_PACKET", A::Yes, T::Index, 1},
      {0x29, "STORED_NAME", A::Yes, T::Index, 1},
      {0x6C, "GROUP_CTRL_RECORDS", A::Yes, T::None, 1},

      // Parameters.
      {0x15, "CM_MCS_DELAYUNIT", A::No, T::None, 1},
      {0x2A, "COPY_CHANNEL", A::Yes, T::ChannelPair, 2},
      {0x30, "CM_MCS_COMP", A::PerSender, T::Channel, 9},
      {0x31, "CM_MCS_LOW_PASS", A::PerSender, T::Channel, 4},
      {0x32, "CM_MCS_HIGH_PASS", A::PerSender, T::Channel, 4},
      {0x33, "CM_MCS_PEQ", A::PerSender, T::ChannelBand, 9},
      {0x34, "CM_MCS_GAIN", A::PerSender, T::Channel, 3},
      {0x35, "CM_MCS_MUTE", A::PerSender, T::Channel, 2},
      {0x36, "CM_MCS_POLARITY", A::PerSender, T::Channel, 2},
      {0x38, "CM_MCS_DELAY", A::PerSender, T::Channel, 3},
      {0x39, "CM_MCS_WORK_MODE", A::Yes, T::None, 2},
      {0x3A, "CM_MCS_MATRIX", A::PerSender, T::Channel, 3},
      {0x3B, "LINK_MASK", A::Yes, T::Channel, 2},
      {0x3C, "EQ_BYPASS", A::No, T::Channel, 2},
      {0x3D, "CM_MCS_CHANNEL_NAME", A::Yes, T::Channel, 9},
      {0x3E, "CM_MCS_GATE", A::PerSender, T::Channel, 7},
      {0x55, "MIC_GAIN", A::PerSender, T::Channel, 2},
      {0x56, "PHANTOM", A::PerSender, T::Channel, 2},
      {0x57, "CAMERA_DEFAULT", A::PerSender, T::None, 1},
      {0x5A, "AUTOMIX_SLOPE", A::PerSender, T::None, 1},
      {0x5B, "CM_MCS_DSP_SUB_CTRL", A::PerSender, T::Index, 5},
      {0x60, "CM_MCS_RVB", A::PerSender, T::None, 8},
      {0x61, "FEEDBACK_LEVEL", A::PerSender, T::Channel, 2},
      {0x62, "CM_MCS_ECHO", A::PerSender, T::None, 8},
      {0x63, "EFFECT", A::PerSender, T::None, 2},
      {0x64, "CM_MCS_MIX_GATE", A::PerSender, T::Index, 11},
      {0x6B, "CM_MCS_GROUP_CTRL", A::No, T::Index, 4},

      // Polling: plain every 300 ms, appended to end a preset-file send.
      {0x40, "LEVELS", A::PerSender, T::None, 0},
  });
}();

// The row of a code; null for a code the editor never sends.
constexpr const CommandInfo* FindCommand(std::uint8_t code) {
  for (const CommandInfo& row : CommandTable)
    if (row.Code == code) return &row;
  return nullptr;
}

// The code of a named row, resolved while compiling: a name without a row
// does not build.
consteval std::uint8_t CommandCode(std::string_view name) {
  for (const CommandInfo& row : CommandTable)
    if (row.Name == name) return row.Code;
  throw "no command of that name";
}

constexpr AppendMark AppendMarkOf(std::uint8_t code) {
  const CommandInfo* row = FindCommand(code);
  return row ? row->Append : AppendMark::Unknown;
}

// Leading payload bytes that name what a command addresses (channel, band,
// slot); 0 for a command that carries values only.
constexpr std::size_t CommandTargetSize(std::uint8_t code) {
  const CommandInfo* row = FindCommand(code);
  return row ? TargetSize(row->Target) : 0;
}

namespace command_table_detail {
constexpr bool CodesAreUnique() {
  for (std::size_t i = 0; i < CommandTable.size(); ++i)
    for (std::size_t j = i + 1; j < CommandTable.size(); ++j)
      if (CommandTable[i].Code == CommandTable[j].Code || CommandTable[i].Name == CommandTable[j].Name)
        return false;
  return true;
}
static_assert(CodesAreUnique(), "every command has one row");

constexpr bool TargetsFitPayloads() {
  for (const CommandInfo& row : CommandTable)
    if (TargetSize(row.Target) > row.Payload) return false;
  return true;
}
static_assert(TargetsFitPayloads(), "a target lies inside the payload");
}  // namespace command_table_detail
