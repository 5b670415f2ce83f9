#pragma once
// A recording owner of the parameter model and small helpers shared by the
// model tests.

#include "link/LCmd.h"
#include "model/UnitOwner.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

struct SentCommand {
  LCmd Command;
  bool Append = false;
};

class RecordingOwner : public UnitOwner {
 public:
  std::uint8_t DeviceId = 7;
  bool Refreshing = false;
  std::vector<SentCommand> Sent;
  std::vector<int> Stale;
  std::map<int, std::string> RecallRows;
  std::map<int, std::string> StoreRows;
  std::optional<std::string> UnitFileAnswer;
  int UnitDialogRuns = 0;

  std::uint8_t GetDeviceId() const override { return DeviceId; }
  bool IsRefreshing() const override { return Refreshing; }
  void SendCommand(const LCmd& command, bool append) override { Sent.push_back({command, append}); }
  void MarkOverlaysStale(int channel) override { Stale.push_back(channel); }
  void SetRecallPresetName(int row, const std::string& name) override { RecallRows[row] = name; }
  void SetStorePresetName(int row, const std::string& name) override { StoreRows[row] = name; }
  std::optional<std::string> AskUnitFileName() override {
    ++UnitDialogRuns;
    return UnitFileAnswer;
  }
};

inline std::uint16_t WordAt(const std::uint8_t* bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::vector<std::uint8_t> RandomBytes(std::mt19937& rng, std::size_t n) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::vector<std::uint8_t> out(n);
  for (auto& b : out) b = static_cast<std::uint8_t>(byte(rng));
  return out;
}

// A fresh folder under the test temp dir, removed at the end of the test.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavo-model-XXXXXX").string();
    Path = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(Path, ec);
  }
  std::string File(const std::string& name) const { return (Path / name).string(); }
  std::filesystem::path Path;
};

inline std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
