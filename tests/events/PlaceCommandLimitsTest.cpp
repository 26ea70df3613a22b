// The limits of the numbers the windows of hero looks, battles, shops, inns, places and map
// appearance offer: one row per code and number, as the author is allowed to enter them.
#include <gtest/gtest.h>

#include <cstring>

#include "script/CommandSchema.h"

using namespace tess;

TEST(PlaceCommandLimits, EveryNumberHasItsRange) {
  const struct {
    int32_t code;
    const char* key;
    int32_t min, max;
  } rows[] = {
      {10630, "index", 0, 7},
      {10640, "index", 0, 15},
      {10650, "index", 0, 7},
      {10730, "price", 0, 999999},
      {10810, "x", 0, 499},
      {10810, "y", 0, 499},
      {10850, "x", 0, 499},
      {10860, "y", 0, 499},
      {10910, "x", 0, 499},
      {11720, "horizontalSpeed", -8, 8},
      {11720, "verticalSpeed", -8, 8},
      {11740, "steps", 0, 999},
      {11750, "from", 0, 161},
      {11750, "to", 0, 161},
      {11810, "x", 0, 499},
      {11830, "y", 0, 499},
  };
  for (const auto& r : rows) {
    const TCommandSchema* schema = FindCommandSchema(r.code);
    ASSERT_NE(schema, nullptr) << r.code;
    const TFieldRow* row = FindFieldRow(schema->rows, r.key);
    ASSERT_NE(row, nullptr) << r.code << " " << r.key;
    EXPECT_EQ(row->min, r.min) << r.code << " " << r.key;
    EXPECT_EQ(row->max, r.max) << r.code << " " << r.key;
  }
  // The choices of the commands that name kinds by value.
  const struct {
    int32_t code;
    const char* key;
    std::vector<int32_t> values;
  } choices[] = {
      {10710, "background", {0, 1, 2}},
      {10710, "escape", {0, 1, 2}},
      {10710, "defeat", {0, 1}},
      {10710, "special", {0, 1, 2, 3, 4}},
      {10710, "formation", {1, 2}},
      {10720, "type", {0, 1, 2}},
      {10730, "messages", {0, 1}},
      {10740, "characters", {0, 1}},
      {10810, "facing", {0, 1, 2, 3, 4}},
      {10690, "erase", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}},
      {10690, "show", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
  };
  for (const auto& c : choices) {
    const TFieldRow* row = FindFieldRow(FindCommandSchema(c.code)->rows, c.key);
    ASSERT_NE(row, nullptr) << c.code << " " << c.key;
    std::vector<int32_t> values;
    for (const TFieldChoice& choice : row->choices) values.push_back(choice.value);
    EXPECT_EQ(values, c.values) << c.code << " " << c.key;
  }
}
