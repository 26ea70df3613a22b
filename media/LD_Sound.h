#pragma once
// Music and sound references: a file name in the Music or Sound folder with its playback settings.
// They are used by the system record, the map tree, event commands and many database records.

#include "core/Catalog.h"

namespace tess {

// The name meaning "no music" or "no sound".
inline constexpr const char* kNoSoundName = "(OFF)";

class TLcfMusic : public TCatalogBaseItem {
 public:
  TLcfMusic() { Reset(); }

  std::string name;
  int32_t fadeIn{};
  int32_t volume{};
  int32_t tempo{};
  int32_t balance{};

  void DescribeChunks(TCatalogVarData& v) override;
  // Copies the fields directly; a source of another class is ignored.
  void Assign(const TCatalogBaseItem& source) override;
};

class TLcfSound : public TCatalogBaseItem {
 public:
  TLcfSound() { Reset(); }

  std::string name;
  int32_t volume{};
  int32_t tempo{};
  int32_t balance{};

  void DescribeChunks(TCatalogVarData& v) override;
  void Assign(const TCatalogBaseItem& source) override;
};

}  // namespace tess
