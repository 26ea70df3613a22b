#pragma once
// Attributes: the elements and weapon kinds that skills and weapons carry, each with the damage
// multiplier for every resistance rank.

#include "core/Catalog.h"

namespace tess {

class TLcfAttribItem : public TCatalogItem {
 public:
  TLcfAttribItem() { Reset(); }
  explicit TLcfAttribItem(TUnreset) {}

  uint8_t attributeType{};  // 0 weapon, 1 magic
  int32_t rateA{};
  int32_t rateB{};
  int32_t rateC{};
  int32_t rateD{};
  int32_t rateE{};

  void DescribeChunks(TCatalogVarData& v) override;
  // The multiplier for a rank 0 (A) to 4 (E); 0 for any other rank.
  int32_t RateForRank(int rank) const;
};

class TLcfAttrib : public TCatalogOf<TLcfAttribItem> {
 public:
  TLcfAttrib() : TCatalogOf("Event script referenced an attribute that does not exist.", "attribute") {}
};

}  // namespace tess
