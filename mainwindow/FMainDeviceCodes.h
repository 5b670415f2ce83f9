#pragma once
// The device commands the main window's link road sends by code, and the
// working-folder rule of its transfers.

#include <cstdint>

#include "link/CommandTable.h"

namespace device_code {
inline constexpr std::uint8_t Hello = CommandCode("HELLO");
inline constexpr std::uint8_t Goodbye = CommandCode("GOODBYE");
inline constexpr std::uint8_t Identity = CommandCode("IDENTITY");
inline constexpr std::uint8_t LockStatus = CommandCode("LOCK_STATUS");
inline constexpr std::uint8_t KeepAlive = CommandCode("KEEP_ALIVE");
inline constexpr std::uint8_t Upload = CommandCode("UPLOAD");
inline constexpr std::uint8_t PresetNumber = CommandCode("PRESET_NUMBER");
inline constexpr std::uint8_t AskAddress = CommandCode("ASK_ADDRESS");
inline constexpr std::uint8_t StoredName = CommandCode("STORED_NAME");
inline constexpr std::uint8_t GroupCtrl = CommandCode("GROUP_CTRL_RECORDS");
inline constexpr std::uint8_t StatePacket = CommandCode("STATE_PACKET");
inline constexpr std::uint8_t SlotPacket = CommandCode("SLOT_PACKET");
inline constexpr std::uint8_t SelectSlot = CommandCode("SELECT_SLOT");
inline constexpr std::uint8_t Store = CommandCode("STORE");
inline constexpr std::uint8_t Recall = CommandCode("RECALL");
inline constexpr std::uint8_t SetAddress = CommandCode("SET_ADDRESS");
inline constexpr std::uint8_t FactoryReset = CommandCode("FACTORY_RESET");
inline constexpr std::uint8_t MemorizeMode = CommandCode("MEMORIZE_MODE");
inline constexpr std::uint8_t Levels = CommandCode("LEVELS");
}  // namespace device_code

// The program's own folder becomes the working folder again (file dialogs
// move it).
void ToProgramFolder();
