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
  for (std::size_t i = 0; i < FStoredFlags.size(); ++i) {
    if (i >= payload.size()) return false;
    FStoredFlags[i] = payload[i] == StoredMark ? 1 : 0;
  }
  return true;
}

void LUnitControl::ResetPresetLists() {
  if (FOwner == nullptr) return;
  for (int slot = 1; slot <= StoredSlotCount; ++slot) {
    FOwner->SetRecallPresetName(slot, DefaultListName);
    FOwner->SetStorePresetName(slot - 1, DefaultListName);
  }
}

bool LUnitControl::SetStoredPresetName(int slot, std::span<const std::uint8_t> payload) {
  std::string raw;
  for (std::size_t i = 1; i <= PresetNameSize; ++i) {
    if (i >= payload.size()) return false;
    raw.push_back(payload[i] == 0 ? ' ' : static_cast<char>(payload[i]));
  }
  if (slot < 1 || slot > StoredSlotCount || FOwner == nullptr) return true;
  const std::string name = AnsiToUtf8(raw);
  FOwner->SetRecallPresetName(slot, name);
  FOwner->SetStorePresetName(slot - 1, name);
  return true;
}

bool LUnitControl::SetPresetName(std::span<const std::uint8_t> payload) {
  for (std::size_t i = 0; i < PresetNameSize; ++i) {
    if (i >= payload.size()) return false;
    FCurrent.SetByte(NameOffset + i, payload[i]);
  }
  return true;
}

void LUnitControl::SetPresetNameText(std::string_view utf8Name) {
  const std::string field = Utf8ToAnsiField(utf8Name, PresetNameSize);
  for (std::size_t i = 0; i < PresetNameSize; ++i)
    FCurrent.SetByte(NameOffset + i, i < field.size() ? static_cast<std::uint8_t>(field[i]) : 0);
}

bool LUnitControl::SetGroupCtrlRecords(std::span<const std::uint8_t> payload) {
  for (std::size_t i = 0; i < GroupCtrlRecord::Size * GroupCtrlCount; ++i) {
    if (i >= payload.size()) return false;
    GroupCtrlRecord& r = FGroupCtrl[i / GroupCtrlRecord::Size];
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
    if (position >= FStagingArea.size()) break;
    FStagingArea[position] = payload[j];
  }
  return true;
}

bool LUnitControl::StoreStatePacket(std::span<const std::uint8_t> payload) {
  int packet = 0;
  if (!StagePacket(payload, packet)) return false;
  if (packet >= LastPacket)
    PresetStream::Read(std::span<const std::uint8_t>(FStagingArea).subspan(StateHeader, PresetStream::Size),
                       FCurrent);
  return true;
}

bool LUnitControl::StoreSlotPacket(int slot, std::span<const std::uint8_t> payload) {
  int packet = 0;
  if (!StagePacket(payload, packet)) return false;
  if (packet < LastPacket || slot < 1 || slot > StoredSlotCount) return true;
  StoredSlot& stored = FStoredSlots[static_cast<std::size_t>(slot - 1)];
  stored[0] = static_cast<std::uint8_t>(slot);
  std::copy_n(FStagingArea.begin(), StoredSlotUsed - 1, stored.begin() + 1);
  return true;
}

bool LUnitControl::SetDeviceInfo(std::span<const std::uint8_t> payload) {
  // Bytes past the block are not part of it.
  for (std::size_t i = 0; i < FDeviceInfo.size(); ++i) {
    if (i >= payload.size()) return false;
    FDeviceInfo[i] = payload[i];
  }
  return true;
}

ByteVector LUnitControl::SerializePreset() const {
  ByteVector out(PresetFileMagic.begin(), PresetFileMagic.end());
  out.resize(PresetFileMagic.size() + PresetStream::FileSize);
  PresetStream::Write(FCurrent, std::span<std::uint8_t>(out).subspan(PresetFileMagic.size()));
  return out;
}

void LUnitControl::CopyChannel(int a, int b) {
  const bool inputs = CI::IsInput(a) && CI::IsInput(b);
  const bool outputs = CI::IsOutput(a) && CI::IsOutput(b);
  if (!inputs && !outputs) return;

  FCurrent.SetWord(PeqBypassMask(b), FCurrent.Word(PeqBypassMask(a)));

  const int first = inputs ? CI::FirstInput : CI::FirstOutput;
  const auto copyBit = [&](std::size_t maskOffset) {
    const std::uint16_t bitA = static_cast<std::uint16_t>(1u << (a - first));
    const std::uint16_t bitB = static_cast<std::uint16_t>(1u << (b - first));
    std::uint16_t mask = FCurrent.Word(maskOffset);
    mask = (mask & bitA) ? (mask | bitB) : static_cast<std::uint16_t>(mask & ~bitB);
    FCurrent.SetWord(maskOffset, mask);
  };
  copyBit(inputs ? InputMuteMask : OutputMuteMask);
  copyBit(EqBypassMask(b));

  // Inputs: phantom through the link mask; outputs: the pass filters
  // through the delay (name, routing and link mask stay).
  const std::size_t from = inputs ? InputBlock(a) : OutputBlock(a);
  const std::size_t to = inputs ? InputBlock(b) : OutputBlock(b);
  const std::size_t begin = inputs ? InPhantom : OutHpSlope;
  const std::size_t end = inputs ? InLinkMask + 2 : OutDelay + 2;
  std::copy(FCurrent.Bytes.begin() + static_cast<std::ptrdiff_t>(from + begin),
            FCurrent.Bytes.begin() + static_cast<std::ptrdiff_t>(from + end),
            FCurrent.Bytes.begin() + static_cast<std::ptrdiff_t>(to + begin));
}
