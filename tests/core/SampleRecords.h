#pragma once
// Small records that use every field kind, shared by the core tests, the fuzz target and the
// benchmark.

#include "core/Catalog.h"

namespace tess::sample {

class TSubRecord : public TCatalogBaseItem {
 public:
  TSubRecord() { Reset(); }
  int32_t value = 0;
  std::string text;
  void DescribeChunks(TCatalogVarData& v) override {
    v.Integer(1, value, 7);
    v.String(2, text);
  }
};

class TLeafItem : public TCatalogItem {
 public:
  int32_t power = 0;
  void DescribeChunks(TCatalogVarData& v) override {
    v.String(1, name);
    v.Integer(2, power, 10);
  }
};

inline const char* const kLeafMissing = "Event script referenced a leaf that does not exist.";

class TLeafList : public TCatalogOf<TLeafItem> {
 public:
  TLeafList() : TCatalogOf(kLeafMissing) {}
};

// A record with every kind, a field under two ids, a packed pair, a conditional write and a block
// sized from a count before it is read.
class TWideRecord : public TCatalogItem {
 public:
  TWideRecord() { Reset(); }

  int32_t number = 0;
  int32_t negative = 0;
  uint8_t enabled = 0;
  uint8_t raw = 0;
  uint8_t fixed[36] = {};
  int16_t fixed16[4] = {};
  std::string alwaysText;
  int32_t count = 0;
  std::vector<int16_t> values;
  std::vector<uint8_t> blob;
  std::vector<int32_t> words;
  int32_t legacy = 0;  // stored under 30, also read from 31
  uint16_t packedLow = 0, packedHigh = 0;
  int32_t onlyWhenEnabled = 0;
  int32_t saves = 0;
  TSubRecord sub;
  TLeafList leaves;

  void DescribeChunks(TCatalogVarData& v) override {
    v.String(1, name);
    v.Integer(2, number, 5);
    v.Integer(3, negative, 0);
    v.Flag(4, enabled, 1);
    v.Byte(5, raw);
    v.FixedArray(6, fixed);
    v.FixedArray(7, fixed16);
    v.StringAlways(8, alwaysText);
    v.Count(10, count, values.size());
    // A count read from a file sizes storage only within a bound: the block itself follows and
    // is sized by its own chunk.
    if (v.Reading()) values.assign(static_cast<size_t>(std::clamp(count, 0, 4096)), 0);
    v.Array(11, values);
    v.Array(12, blob);
    v.Array(13, words);
    v.Integer(30, legacy, 0);
    if (!v.Writing()) v.IntegerAlias(31, legacy, 0);
    int32_t packed = packedLow | (packedHigh << 16);
    v.Integer(40, packed, 0);
    packedLow = static_cast<uint16_t>(packed);
    packedHigh = static_cast<uint16_t>(static_cast<uint32_t>(packed) >> 16);
    if (!v.Writing() || enabled) v.Integer(41, onlyWhenEnabled, 0);
    if (v.SavingToFile()) ++saves;
    v.Integer(50, saves, 0);
    v.Record(60, sub);
    v.List(61, leaves);
  }

 protected:
  void AfterLoad() override { count = static_cast<int32_t>(values.size()); }
};

inline const char* const kWideMissing = "Event script referenced a wide record that does not exist.";

class TWideList : public TCatalogOf<TWideRecord> {
 public:
  TWideList() : TCatalogOf(kWideMissing) {}
};

// A record of only defaulted fields: saves as the single closing byte.
class TPlainRecord : public TCatalogBaseItem {
 public:
  TPlainRecord() { Reset(); }
  int32_t a = 0;
  uint8_t b = 0;
  std::string c;
  void DescribeChunks(TCatalogVarData& v) override {
    v.Integer(1, a, 0);
    v.Flag(2, b, 0);
    v.String(3, c);
  }
};

}  // namespace tess::sample
