#pragma once
// Move routes: the custom movement pattern of an event page (and of the move commands of event
// scripts), a list of move commands stored as one packed byte block.

#include <cstdint>
#include <string>
#include <vector>

#include "core/Catalog.h"

namespace tess {

// Move command codes that carry operands.
enum TMoveCode : int32_t {
  mcSwitchOn = 32,
  mcSwitchOff = 33,
  mcChangeGraphic = 34,
  mcSoundEffect = 35,
};

inline constexpr int kMoveCommandCount = 42;
// The name of each move command code, as lists show it; "?" for codes outside the table.
const char* MoveCommandName(int32_t code);

// One move command. Only the operands of its code are stored; the others stay as set.
struct TLcfMoveRouteItem {
  int32_t code = 0;
  int32_t switchId = 0;
  std::string graphicName{};
  int32_t graphicIndex = 0;
  std::string soundName{};
  int32_t volume = 0;
  int32_t tempo = 0;
  int32_t balance = 0;

  bool operator==(const TLcfMoveRouteItem&) const = default;
};

class TLcfMoveRoute : public TCatalogBaseItem {
 public:
  TLcfMoveRoute() { Reset(); }

  int32_t routeSize{};  // byte length of routeBytes as loaded or packed last
  Bytes routeBytes;     // the packed commands as last loaded or packed (GetPackedBytes)
  uint8_t repeat{};
  uint8_t skipImpossible{};

  int CommandCount() const { return static_cast<int>(commands_.size()); }
  // The command at index, or none outside the list. Inserting or deleting commands moves them.
  TLcfMoveRouteItem* CommandAt(int index);
  const TLcfMoveRouteItem* CommandAt(int index) const;
  TLcfMoveRouteItem& AppendCommand(const TLcfMoveRouteItem& command = {});
  // Inserts before index (0..CommandCount); outside that range the command is appended.
  void InsertCommand(int index, const TLcfMoveRouteItem& command);
  void DeleteCommand(int index);
  void ClearCommands() { commands_.clear(); }

  // Replaces the block and decodes it; a damaged block raises "Stream read error." and changes
  // nothing.
  void SetPackedBytes(const uint8_t* bytes, size_t size);
  // Re-packs the commands and returns the block.
  const Bytes& GetPackedBytes();

  // Decodes a packed block into commands; raises on a damaged block. Returns whether the block was
  // in the shortest encoding (the one EncodeCommands writes).
  static bool DecodeCommands(const uint8_t* data, size_t size, std::vector<TLcfMoveRouteItem>& out);
  static void EncodeCommands(const std::vector<TLcfMoveRouteItem>& commands, Bytes& block);

  void DescribeChunks(TCatalogVarData& v) override;

 private:
  // The block the commands pack to: the loaded block when they pack to what it was loaded as.
  void PackInto(Bytes& block) const;
  void Pack();

  std::vector<TLcfMoveRouteItem> commands_;
  // A loaded block in a longer encoding than ours, kept with our encoding of it (see the event
  // page's script block).
  Bytes loadedBlock_;
  Bytes loadedBlockRepacked_;
};

}  // namespace tess
