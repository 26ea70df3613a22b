#include "database/LD_Player.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace tess {

int ParameterMinimum(int parameter) { return parameter == kMaxMP ? 0 : 1; }
int ParameterMaximum(int parameter) { return parameter == kMaxHP ? 9999 : 999; }

void TLcfLearningItem::DescribeChunks(TCatalogVarData& v) {
  v.Integer(1, level, 1);
  v.Integer(2, skillId, 1);
}

// ---------------------------------------------------------------------------------------------
// Shared by heroes and classes

void TLcfActorBase::ResetCurves(void* parameters) {
  auto* curves = static_cast<uint16_t*>(parameters);
  for (int p = 0; p < kParameterCount; ++p)
    std::fill_n(curves + p * kMaxHeroLevel, kMaxHeroLevel, static_cast<uint16_t>(ParameterMinimum(p)));
}

void TLcfActorBase::DescribeRanks(TCatalogVarData& v) {
  v.Count(71, conditionRankCount, conditionRanks.size());
  v.Array(72, conditionRanks);
  v.Count(73, attributeRankCount, attributeRanks.size());
  v.Array(74, attributeRanks);
}

int TLcfActorBase::GetParameter(int parameter, int level) const {
  if (parameter < 0 || parameter >= kParameterCount || level < 1 || level > kMaxHeroLevel) return 0;
  return parameters[parameter * kMaxHeroLevel + level - 1];
}

void TLcfActorBase::SetParameter(int parameter, int level, int value) {
  if (parameter < 0 || parameter >= kParameterCount || level < 1 || level > kMaxHeroLevel) return;
  parameters[parameter * kMaxHeroLevel + level - 1] = static_cast<uint16_t>(value);
}

bool TLcfActorBase::TakeOlderCurves(const uint8_t* body, size_t size, void* parameters) {
  if (size != sizeof(uint16_t) * kParameterCount * kOlderMaxHeroLevel) return false;
  auto* curves = static_cast<uint16_t*>(parameters);
  for (int p = 0; p < kParameterCount; ++p) {
    uint16_t* row = curves + p * kMaxHeroLevel;
    std::memcpy(row, body + sizeof(uint16_t) * p * kOlderMaxHeroLevel, sizeof(uint16_t) * kOlderMaxHeroLevel);
    std::fill(row + kOlderMaxHeroLevel, row + kMaxHeroLevel, row[kOlderMaxHeroLevel - 1]);
  }
  return true;
}

int32_t TLcfActorBase::GetBattleCommand(int slot) const {
  if (slot < 0 || slot >= kBattleCommandSlots) return -1;
  return battleCommands[slot];
}

void TLcfActorBase::SetBattleCommand(int slot, int32_t commandId) {
  if (slot < 0 || slot >= kBattleCommandSlots) return;
  battleCommands[slot] = commandId;
}

int32_t TLcfActorBase::ExperienceForLevel(int level) const {
  return tess::ExperienceForLevel(expPrimary, expSecondary, expTertiary, level);
}

void TLcfActorBase::TrimForSave(const TTrimLimits& limits) {
  TrimBytes(conditionRanks, conditionRankCount, kRankC, limits.conditions);
  TrimBytes(attributeRanks, attributeRankCount, kRankC, limits.attributes);
}

void TLcfActorBase::AfterLoad() {
  conditionRankCount = static_cast<int32_t>(conditionRanks.size());
  attributeRankCount = static_cast<int32_t>(attributeRanks.size());
}

// ---------------------------------------------------------------------------------------------
// Heroes

void TLcfPlayerItem::DescribeChunks(TCatalogVarData& v) {
  v.String(1, name);
  v.String(2, title);
  v.String(3, charSetFile);
  v.Integer(4, charSetIndex, 0);
  v.Flag(5, charSetTransparent, 0);
  v.Integer(7, initialLevel, 1);
  v.Integer(8, maxLevel, 99);
  v.Flag(9, criticalHits, 1);
  v.Integer(10, criticalChance, 30);
  v.String(15, faceSetFile);
  v.Integer(16, faceIndex, 0);
  v.Flag(21, twoWeapons, 0);
  v.Flag(22, lockEquipment, 0);
  v.Flag(23, aiControl, 0);
  v.Flag(24, mightyGuard, 0);
  v.FixedArray(31, parameters, ResetCurves, TakeOlderCurves);
  v.Integer(41, expPrimary, 300);
  v.Integer(42, expSecondary, 300);
  v.Integer(43, expTertiary, 0);
  v.FixedArray(51, initialEquipment);
  v.Integer(56, unarmedAnimation, 1);
  v.Integer(57, classId, 0);
  v.Integer(58, reserved58, 0);
  v.Integer(59, battlePositionX, 220);
  v.Integer(60, battlePositionY, 120);
  v.Integer(62, battlerAnimation, 1);
  v.List(63, skills);
  v.Integer(64, reserved64, 0);
  v.Flag(66, reserved66, 0);
  v.String(67, reserved67);
  DescribeRanks(v);
  // All seven elements reset to -1 (no command).
  v.FixedArray(80, battleCommands,
               [](void* commands) { std::fill_n(static_cast<int32_t*>(commands), kBattleCommandSlots + 1, -1); });
}

int TLcfPlayerItem::GetEquipment(int slot) const {
  if (slot < 0 || slot >= kEquipmentSlots) return 0;
  return initialEquipment[slot];
}

void TLcfPlayerItem::SetEquipment(int slot, int itemId) {
  if (slot < 0 || slot >= kEquipmentSlots) return;
  initialEquipment[slot] = static_cast<uint16_t>(itemId);
}

// ---------------------------------------------------------------------------------------------
// Experience

int32_t ExperienceForLevel(int32_t primary, int32_t secondary, int32_t tertiary, int level) {
  if (level < 2) return 0;
  const double n = level - 1;
  double sum = 0;
  double e = 0;
  for (int k = 1; k <= level - 1; ++k) {
    sum += static_cast<double>(k) * secondary;
    e = std::trunc(n * primary + sum + n * tertiary);
    if (e > 9999999) return kUnreachableExperience;
  }
  return static_cast<int32_t>(e);
}

namespace {
std::string Format(const char* format, int level, int32_t value) {
  char text[64];
  std::snprintf(text, sizeof text, format, level, value);
  return text;
}
}  // namespace

std::string TotalExperienceLine(int32_t primary, int32_t secondary, int32_t tertiary, int level) {
  int32_t total = ExperienceForLevel(primary, secondary, tertiary, level);
  if (total == kUnreachableExperience) return Format("L %2d : -------", level, 0);
  return Format("L %2d : %7d", level, total);
}

std::string LevelExperienceLine(int32_t primary, int32_t secondary, int32_t tertiary, int level) {
  int32_t here = ExperienceForLevel(primary, secondary, tertiary, level);
  int32_t next = ExperienceForLevel(primary, secondary, tertiary, level + 1);
  if (level >= kMaxHeroLevel || here == kUnreachableExperience || next == kUnreachableExperience)
    return Format("L %2d : -------", level, 0);
  return Format("L %2d : %7d", level, next - here);
}

// ---------------------------------------------------------------------------------------------
// Curve generators

void CurveFromEndpoints(uint16_t (&curve)[kCurveElements], int parameter, int level1Value, int level99Value,
                        int accelerate) {
  if (parameter < 0 || parameter >= kParameterCount) return;
  uint16_t* row = curve + parameter * kMaxHeroLevel;
  row[0] = static_cast<uint16_t>(level1Value);
  row[kMaxHeroLevel - 1] = static_cast<uint16_t>(level99Value);

  const int d = level99Value - level1Value;
  const double x[4] = {1, 2.0 * accelerate + 16, 2.0 * accelerate + 32, 99};
  const double y[4] = {
      static_cast<double>(level1Value), static_cast<double>(level1Value + (16 - 2 * accelerate) * d / 99),
      static_cast<double>(level1Value + (32 - 2 * accelerate) * d / 99), static_cast<double>(level99Value)};

  // The curve is drawn on a raster 100 pixels wide and 10,000 high, x the level and y the value;
  // each level takes the smallest value drawn in its column. Dense sampling of the cubic stands in
  // for the pen.
  constexpr int kWidth = 100, kHeight = 10000, kSamples = 1 << 16;
  int lowest[kWidth];
  std::fill_n(lowest, kWidth, kHeight);
  for (int i = 0; i <= kSamples; ++i) {
    const double t = static_cast<double>(i) / kSamples, u = 1 - t;
    const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
    const long px = std::lround(b0 * x[0] + b1 * x[1] + b2 * x[2] + b3 * x[3]);
    const long py = std::lround(b0 * y[0] + b1 * y[1] + b2 * y[2] + b3 * y[3]);
    if (px < 0 || px >= kWidth || py < 0 || py >= kHeight) continue;
    lowest[px] = std::min(lowest[px], static_cast<int>(py));
  }
  for (int level = 2; level <= kMaxHeroLevel - 1; ++level)
    if (lowest[level] < kHeight) row[level - 1] = static_cast<uint16_t>(lowest[level]);
}

void QuickCurve(uint16_t (&curve)[kCurveElements], int parameter, TQuickCurve grade, const TRandom& random) {
  static constexpr int kGrades[4][2] = {{5, 80}, {4, 60}, {3, 40}, {2, 20}};
  const int a = kGrades[static_cast<int>(grade)][0];
  const int b = kGrades[static_cast<int>(grade)][1];
  const int c = parameter == kMaxHP ? 100 : 10;
  int first = a * c + random(c + random(2));
  if (parameter == kAttack || parameter == kDefense) first += 5;
  const int last = c * (b + random(20)) + random(c);
  const int shape = random(3) + 2;
  CurveFromEndpoints(curve, parameter, first, last, shape);
}

}  // namespace tess
