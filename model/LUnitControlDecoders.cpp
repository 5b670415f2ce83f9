// Upload decoders, the preset serialiser and the channel copy.
#include "model/LUnitControl.h"

#include "model/PresetFile.h"
#include "model/UnitOwner.h"
#include "platform/sys/CodePage.h"

#include <algorithm>

using namespace PresetLayout;
namespace CI = ChannelIndex;

namespace {
constexpr std::uint8_t StoredMark = 0xFF;
constexpr int LastPacket = 25;
constexpr std::size_t PacketData = 50;
constexpr char DefaultListName[] = "Default Preset";
constexpr std::size_t StateHeader = 2;  // staged bytes before the state's PresetStream
}  // namespace

bool LUnitControl::SetStoredFlags(std::span<const std::uint8_t> payload) {
  for (std::size_t i = 0; i < StoredFlags.size(); ++i) {
    if (i >= payload.size()) return false;
    StoredFlags[i] = payload[i] == StoredMark ? 1 : 0;
  }
  return true;
}

void LUnitControl::ResetPresetLists() {
  if (Owner == nullptr) return;
  for (int slot = 1; slot <= StoredSlotCount; ++slot) {
    Owner->SetRecallPresetName(slot, DefaultListName);
    Owner->SetStorePresetName(slot - 1, DefaultListName);
  }
}

bool LUnitControl::SetStoredPresetName(int slot, std::span<const std::uint8_t> payload) {
  std::string raw;
  for (std::size_t i = 1; i <= PresetNameSize; ++i) {
    if (i >= payload.size()) return false;
    raw.push_back(payload[i] == 0 ? ' ' : static_cast<char>(payload[i]));
  }
  if (slot < 1 || slot > StoredSlotCount || Owner == nullptr) return true;
  const std::string name = AnsiToUtf8(raw);
  Owner->SetRecallPresetName(slot, name);
  Owner->SetStorePresetName(slot - 1, name);
  return true;
}

bool LUnitControl::SetPresetName(std::span<const std::uint8_t> payload) {
  for (std::size_t i = 0; i < PresetNameSize; ++i) {
    if (i >= payload.size()) return false;
    Current.SetByte(NameOffset + i, payload[i]);
  }
  return true;
}

void LUnitControl::SetPresetNameText(std::string_view utf8Name) {
  const std::string field = Utf8ToAnsiField(utf8Name, PresetNameSize);
  for (std::size_t i = 0; i < PresetNameSize; ++i)
    Current.SetByte(NameOffset + i, i < field.size() ? static_cast<std::uint8_t>(field[i]) : 0);
}

bool LUnitControl::SetGroupCtrlRecords(std::span<const std::uint8_t> payload) {
  for (std::size_t i = 0; i < GroupCtrlRecord::Size * GroupCtrlCount; ++i) {
    if (i >= payload.size()) return false;
    GroupCtrlRecord& r = GroupCtrl[i / GroupCtrlRecord::Size];
    switch (i % GroupCtrlRecord::Size) {
      case 0:
        r.Volume = payload[i];
        break;
      case 1:
        r.Mute = payload[i];
        break;
      default:
        r.ChannelMask = payload[i];
        break;
    }
  }
  return true;
}

bool LUnitControl::StagePacket(std::span<const std::uint8_t> payload, int& packet) {
  if (payload.empty()) return false;
  packet = payload[0];
  const std::size_t base = PacketData * static_cast<std::size_t>(packet);
  // Data that would fall past the staging area belongs to no stream in use.
  for (std::size_t j = 1; j < payload.size(); ++j) {
    const std::size_t position = base + j - 1;
    if (position >= StagingArea.size()) break;
    StagingArea[position] = payload[j];
  }
  return true;
}

bool LUnitControl::StoreStatePacket(std::span<const std::uint8_t> payload) {
  int packet = 0;
  if (!StagePacket(payload, packet)) return false;
  if (packet >= LastPacket)
    PresetStream::Read(std::span<const std::uint8_t>(StagingArea).subspan(StateHeader, PresetStream::Size),
                       Current);
  return true;
}

bool LUnitControl::StoreSlotPacket(int slot, std::span<const std::uint8_t> payload) {
  int packet = 0;
  if (!StagePacket(payload, packet)) return false;
  if (packet < LastPacket || slot < 1 || slot > StoredSlotCount) return true;
  StoredSlot& stored = StoredSlots[static_cast<std::size_t>(slot - 1)];
  stored[0] = static_cast<std::uint8_t>(slot);
  std::copy_n(StagingArea.begin(), StoredSlotUsed - 1, stored.begin() + 1);
  return true;
}

bool LUnitControl::SetDeviceInfo(std::span<const std::uint8_t> payload) {
  // Bytes past the block are not part of it.
  for (std::size_t i = 0; i < DeviceInfo.size(); ++i) {
    if (i >= payload.size()) return false;
    DeviceInfo[i] = payload[i];
  }
  return true;
}

ByteVector LUnitControl::SerializePreset() const {
  ByteVector out(PresetFileMagic.begin(), PresetFileMagic.end());
  out.resize(PresetFileMagic.size() + PresetStream::FileSize);
  PresetStream::Write(Current, std::span<std::uint8_t>(out).subspan(PresetFileMagic.size()));
  return out;
}

void LUnitControl::CopyChannel(int a, int b) {
  const bool inputs = CI::IsInput(a) && CI::IsInput(b);
  const bool outputs = CI::IsOutput(a) && CI::IsOutput(b);
  if (!inputs && !outputs) return;

  Current.SetWord(PeqBypassMask(b), Current.Word(PeqBypassMask(a)));

  const int first = inputs ? CI::FirstInput : CI::FirstOutput;
  const auto copyBit = [&](std::size_t maskOffset) {
    const std::uint16_t bitA = static_cast<std::uint16_t>(1u << (a - first));
    const std::uint16_t bitB = static_cast<std::uint16_t>(1u << (b - first));
    std::uint16_t mask = Current.Word(maskOffset);
    mask = (mask & bitA) ? (mask | bitB) : static_cast<std::uint16_t>(mask & ~bitB);
    Current.SetWord(maskOffset, mask);
  };
  copyBit(inputs ? InputMuteMask : OutputMuteMask);
  copyBit(EqBypassMask(b));

  // Inputs: phantom through the link mask; outputs: the pass filters
  // through the delay (name, routing and link mask stay).
  const std::size_t from = inputs ? InputBlock(a) : OutputBlock(a);
  const std::size_t to = inputs ? InputBlock(b) : OutputBlock(b);
  const std::size_t begin = inputs ? InPhantom : OutHpSlope;
  const std::size_t end = inputs ? InLinkMask + 2 : OutDelay + 2;
  std::copy(Current.Bytes.begin() + static_cast<std::ptrdiff_t>(from + begin),
            Current.Bytes.begin() + static_cast<std::ptrdiff_t>(from + end),
            Current.Bytes.begin() + static_cast<std::ptrdiff_t>(to + begin));
}
