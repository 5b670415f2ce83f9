#pragma once
// One device command: the addressed device, the command code and the payload.
// The command classes derive from it and only lay out their payloads, device
// ID first in their constructors; 16-bit values go low byte first. Codes,
// append marks and payload lengths are rows of CommandTable.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "link/CommandTable.h"
#include "link/DeviceFrame.h"
#include "link/DeviceRecords.h"

using ByteVector = std::vector<std::uint8_t>;

class LCmd {
 public:
  LCmd() = default;
  LCmd(std::uint8_t id, std::uint8_t code) : DeviceId(id), Code(code) {}
  virtual ~LCmd() = default;

  LCmd(const LCmd&) = default;
  LCmd& operator=(const LCmd&) = default;
  LCmd(LCmd&&) = default;
  LCmd& operator=(LCmd&&) = default;

  std::uint8_t DeviceId = 0;
  std::uint8_t Code = 0;
  ByteVector Payload;
  // Set by ParseFrame when the bytes did not carry 10 02 ... 10 03: the
  // block still ended the link's wait, but it is not a reply to act on.
  bool Unframed = false;

 protected:
  void PutByte(std::uint8_t b) { Payload.push_back(b); }
  void PutWord(std::uint16_t w);
  // Exactly count bytes: the text's bytes, then zeros.
  void PutText(std::span<const std::uint8_t> text, std::size_t count);
};

// Mode 1: the whole frame; mode 0: the payload alone; any other mode: empty.
// A payload longer than a length byte can describe gives no frame (empty).
ByteVector BuildFrame(const LCmd& cmd, int mode);

// Reads a received frame: device ID from byte 2, code from byte 5, then
// (byte 4 - 1) payload bytes. Bytes without the 10 02 head and the 10 03
// trailer, too short to hold a code, or with length byte 0 are read as an
// unframed block (code = first byte, device ID 0, Unframed set). The payload
// never reaches past the bytes given, and for a framed block never into its
// trailer.
LCmd ParseFrame(const std::uint8_t* data, std::size_t size);
LCmd ParseFrame(std::span<const std::uint8_t> bytes);

// Any command without a class of its own: the caller's code, then nothing,
// one, two or four bytes in argument order.
class CM_MCS_CMD : public LCmd {
 public:
  CM_MCS_CMD(std::uint8_t id, std::uint8_t code);
  CM_MCS_CMD(std::uint8_t id, std::uint8_t code, std::uint8_t b0);
  CM_MCS_CMD(std::uint8_t id, std::uint8_t code, std::uint8_t b0, std::uint8_t b1);
  CM_MCS_CMD(std::uint8_t id, std::uint8_t code, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2,
             std::uint8_t b3);
};

class CM_MCS_MCU_RESET : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_MCU_RESET");
  explicit CM_MCS_MCU_RESET(std::uint8_t id);
};

class CM_MCS_DELAYUNIT : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_DELAYUNIT");
  CM_MCS_DELAYUNIT(std::uint8_t id, std::uint8_t unit);
};

class CM_MCS_READ_EEPROM : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_READ_EEPROM");
  CM_MCS_READ_EEPROM(std::uint8_t id, std::uint16_t address, std::uint8_t length);
};

// Carries exactly length data bytes; bytes that data does not hold are 0.
class CM_MCS_WRITE_EEPROM : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_WRITE_EEPROM");
  CM_MCS_WRITE_EEPROM(std::uint8_t id, std::uint16_t address, std::uint8_t length,
                      std::span<const std::uint8_t> data);
};

// Takes the record number before the block index but lays the block first.
// Carries exactly length data bytes; bytes that data does not hold are 0.
class CM_MCS_DOWNLOAD : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_DOWNLOAD");
  CM_MCS_DOWNLOAD(std::uint8_t id, std::uint8_t record, std::uint8_t block, std::uint8_t length,
                  std::span<const std::uint8_t> data);
};

// The 14 name bytes as given (cut at 14, zero filled), no conversion.
class CM_MCS_PRESETNAME : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_PRESETNAME");
  static constexpr std::size_t NameSize = 14;
  CM_MCS_PRESETNAME(std::uint8_t id, std::span<const std::uint8_t> name);
  CM_MCS_PRESETNAME(std::uint8_t id, std::string_view name);
};

class CM_MCS_PASS_SUBMIT : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_PASS_SUBMIT");
  static constexpr std::size_t PasswordSize = 4;
  CM_MCS_PASS_SUBMIT(std::uint8_t id, std::uint8_t kind, std::string_view password);
};

class CM_MCS_SET_LOCK : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_SET_LOCK");
  static constexpr std::size_t PasswordSize = 4;
  CM_MCS_SET_LOCK(std::uint8_t id, std::string_view password);
};

class CM_MCS_COMP : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_COMP");
  CM_MCS_COMP(std::uint8_t id, std::uint8_t channel, const CompRecord& rec);
};

class CM_MCS_LOW_PASS : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_LOW_PASS");
  CM_MCS_LOW_PASS(std::uint8_t id, std::uint8_t channel, std::uint16_t freq, std::uint8_t slope);
};

class CM_MCS_HIGH_PASS : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_HIGH_PASS");
  CM_MCS_HIGH_PASS(std::uint8_t id, std::uint8_t channel, std::uint16_t freq, std::uint8_t slope);
};

class CM_MCS_PEQ : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_PEQ");
  CM_MCS_PEQ(std::uint8_t id, std::uint8_t channel, std::uint8_t band, const PeqBandRecord& rec,
             std::uint8_t bypass);
};

class CM_MCS_GAIN : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_GAIN");
  CM_MCS_GAIN(std::uint8_t id, std::uint8_t channel, std::uint16_t gain);
};

class CM_MCS_MUTE : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_MUTE");
  CM_MCS_MUTE(std::uint8_t id, std::uint8_t channel, std::uint8_t state);
};

class CM_MCS_POLARITY : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_POLARITY");
  CM_MCS_POLARITY(std::uint8_t id, std::uint8_t channel, std::uint8_t inverted);
};

class CM_MCS_DELAY : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_DELAY");
  CM_MCS_DELAY(std::uint8_t id, std::uint8_t channel, std::uint16_t delay);
};

class CM_MCS_WORK_MODE : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_WORK_MODE");
  CM_MCS_WORK_MODE(std::uint8_t id, std::uint8_t source, std::uint8_t sineFreq);
};

class CM_MCS_MATRIX : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_MATRIX");
  CM_MCS_MATRIX(std::uint8_t id, std::uint8_t channel, std::uint16_t mask);
};

// The 8 name bytes as given (cut at 8, zero filled), no conversion.
class CM_MCS_CHANNEL_NAME : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_CHANNEL_NAME");
  static constexpr std::size_t NameSize = 8;
  CM_MCS_CHANNEL_NAME(std::uint8_t id, std::uint8_t channel, std::span<const std::uint8_t> name);
  CM_MCS_CHANNEL_NAME(std::uint8_t id, std::uint8_t channel, std::string_view name);
};

class CM_MCS_GATE : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_GATE");
  CM_MCS_GATE(std::uint8_t id, std::uint8_t channel, const GateRecord& rec);
};

class CM_MCS_DSP_SUB_CTRL : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_DSP_SUB_CTRL");
  CM_MCS_DSP_SUB_CTRL(std::uint8_t id, std::uint8_t index, const SubCtrlRecord& rec);
};

// Two 32-bit words, each low byte first: the record's four words in order
// (first word = pre-delay | reflect << 16, second = time | gain << 16).
class CM_MCS_RVB : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_RVB");
  CM_MCS_RVB(std::uint8_t id, std::uint32_t first, std::uint32_t second);
  CM_MCS_RVB(std::uint8_t id, const ReverbRecord& rec);
};

// As CM_MCS_RVB (first = pre-delay | delay << 16, second = repeat | gain << 16).
class CM_MCS_ECHO : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_ECHO");
  CM_MCS_ECHO(std::uint8_t id, std::uint32_t first, std::uint32_t second);
  CM_MCS_ECHO(std::uint8_t id, const EchoRecord& rec);
};

class CM_MCS_MIX_GATE : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_MIX_GATE");
  static constexpr std::uint8_t AutoMixGate = 18;
  static constexpr std::uint8_t CameraGate = 19;
  CM_MCS_MIX_GATE(std::uint8_t id, std::uint8_t gate, const MixGateRecord& rec);
};

class CM_MCS_GROUP_CTRL : public LCmd {
 public:
  static constexpr std::uint8_t CODE = CommandCode("CM_MCS_GROUP_CTRL");
  CM_MCS_GROUP_CTRL(std::uint8_t id, std::uint8_t index, const GroupCtrlRecord& rec);
};
