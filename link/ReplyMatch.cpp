#include "link/ReplyMatch.h"

#include <array>

#include "link/CommandTable.h"
#include "link/DeviceFrame.h"

namespace {

constexpr auto ReplyRules = std::to_array<ReplyRule>({
    {CommandCode("HELLO"), 0x10, 0, false},
    {CommandCode("IDENTITY"), 0x52, 0x13, false},
    {CommandCode("LOCK_STATUS"), 0x2C, 0, false},
    {CommandCode("UPLOAD"), 0x22, 0, false},
    {CommandCode("PRESET_NUMBER"), 0x14, 0, false},
    {CommandCode("ASK_ADDRESS"), 0xB0, 0, false},
    {CommandCode("STORED_NAME"), 0x29, 0, true},
    {CommandCode("GROUP_CTRL_RECORDS"), 0x6C, 0, false},
    {CommandCode("STATE_PACKET"), 0x24, 0, true},
    {CommandCode("SLOT_PACKET"), 0x28, 0, true},
    {CommandCode("CM_MCS_READ_EEPROM"), 0x19, 0, false},
    {CommandCode("CM_MCS_DOWNLOAD"), 0x25, 0, true},
});

std::uint8_t CodeOf(std::span<const std::uint8_t> frame) {
  return frame.size() > DeviceFrame::CodeIndex ? frame[DeviceFrame::CodeIndex] : 0;
}

// The first payload byte, when the frame has one.
int IndexOf(std::span<const std::uint8_t> frame) {
  if (frame.size() <= DeviceFrame::PayloadIndex || frame[DeviceFrame::LengthIndex] < 2) return -1;
  return frame[DeviceFrame::PayloadIndex];
}

}  // namespace

const ReplyRule* FindReplyRule(std::uint8_t requestCode) {
  for (const ReplyRule& rule : ReplyRules)
    if (rule.Request == requestCode) return &rule;
  return nullptr;
}

bool IsAnswerOnlyCode(std::uint8_t replyCode) {
  for (const ReplyRule& rule : ReplyRules)
    if (rule.Reply == replyCode || (rule.OtherReply != 0 && rule.OtherReply == replyCode)) return true;
  return false;
}

bool AnswersRequest(std::span<const std::uint8_t> request, std::span<const std::uint8_t> reply) {
  const ReplyRule* rule = FindReplyRule(CodeOf(request));
  if (!rule) return false;
  const std::uint8_t code = CodeOf(reply);
  if (code != rule->Reply && (rule->OtherReply == 0 || code != rule->OtherReply)) return false;
  if (!rule->SameIndex) return true;
  const int index = IndexOf(request);
  return index >= 0 && index == IndexOf(reply);
}

bool IsSoundFrame(std::span<const std::uint8_t> frame) {
  if (frame.size() < DeviceFrame::SizeFor(1) || frame[0] != DeviceFrame::Dle || frame[1] != DeviceFrame::Stx)
    return false;
  if (frame.size() != DeviceFrame::SizeFor(frame[DeviceFrame::LengthIndex])) return false;
  const std::size_t n = frame.size();
  if (frame[n - 3] != DeviceFrame::Dle || frame[n - 2] != DeviceFrame::Etx) return false;
  std::uint8_t check = 0;
  for (std::size_t i = 0; i + 1 < n; ++i) check ^= frame[i];
  return check == frame[n - 1];
}
