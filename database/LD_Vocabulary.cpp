#include "database/LD_Vocabulary.h"

#include <array>

namespace tess {

namespace {

constexpr int kLastId = 153;

// The chunk ids of the vocabulary's own texts, in ascending order.
constexpr int kOwnIds[TLcfVocabulary::kOwnTextCount] = {
    2,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,  17,  18,  19,  20,  21,  22,  23,
    24,  25,  26,  27,  28,  29,  30,  31,  32,  33,  34,  35,  36,  37,  38,  39,  92,  93,  95,  101, 102,
    103, 104, 105, 106, 107, 108, 110, 112, 114, 115, 117, 118, 119, 120, 121, 122, 123, 124, 125, 126, 127,
    128, 129, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 146, 147, 148, 151, 152, 153};

// Position of each chunk id among the own texts, -1 for the others.
constexpr std::array<int8_t, kLastId + 1> MakeOwnIndex() {
  std::array<int8_t, kLastId + 1> index{};
  for (auto& i : index) i = -1;
  for (int k = 0; k < TLcfVocabulary::kOwnTextCount; ++k) index[kOwnIds[k]] = static_cast<int8_t>(k);
  return index;
}
constexpr std::array<int8_t, kLastId + 1> kOwnIndex = MakeOwnIndex();

}  // namespace

std::string& TLcfVocabularyShop::Text(int i) {
  std::string* texts[kTextCount] = {&greeting,      &afterTransaction, &buy,     &sell,           &finished,
                                    &chooseBuyItem, &chooseBuyCount,   &buyDone, &chooseSellItem, &chooseSellCount,
                                    &sellDone};
  return *texts[i];
}

std::string& TLcfVocabularyInn::Text(int i) {
  std::string* texts[kTextCount] = {&priceBefore, &priceAfter, &secondLine, &accept, &decline};
  return *texts[i];
}

std::string* TLcfVocabulary::TextById(int chunkId) {
  if (chunkId < 0 || chunkId > kLastId) return nullptr;
  if (kOwnIndex[chunkId] >= 0) return &own_[kOwnIndex[chunkId]];
  for (int s = 0; s < kShopCount; ++s)
    if (chunkId >= kShopFirstId[s] && chunkId < kShopFirstId[s] + TLcfVocabularyShop::kTextCount)
      return &shops[s].Text(chunkId - kShopFirstId[s]);
  for (int s = 0; s < kInnCount; ++s)
    if (chunkId >= kInnFirstId[s] && chunkId < kInnFirstId[s] + TLcfVocabularyInn::kTextCount)
      return &inns[s].Text(chunkId - kInnFirstId[s]);
  return nullptr;
}

const std::string* TLcfVocabulary::TextById(int chunkId) const {
  return const_cast<TLcfVocabulary*>(this)->TextById(chunkId);
}

const std::string& TLcfVocabulary::Text(int chunkId) const {
  static const std::string empty;
  const std::string* text = TextById(chunkId);
  return text ? *text : empty;
}

void TLcfVocabulary::SetText(int chunkId, const std::string& text) {
  if (std::string* target = TextById(chunkId)) *target = text;
}

void TLcfVocabulary::DescribeChunks(TCatalogVarData& v) {
  for (int id = 1; id <= kLastId; ++id)
    if (std::string* text = TextById(id)) v.StringAlways(id, *text);
}

}  // namespace tess
