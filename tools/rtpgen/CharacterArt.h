#pragma once
// Walking characters (24 x 32 frames on 288 x 256 sheets) and face portraits (48 x 48 on
// 192 x 192 sheets), drawn from a description of each person's looks.

#include <array>
#include <cstdint>

#include "tools/rtpgen/IndexedCanvas.h"

namespace tess::rtp {

enum class THair { Short, Long, Spiky, Ponytail, Bald, Bun };
enum class THeadgear { None, Hood, Helmet, Hat, WizardHat, Crown, Bandana };
enum class TOutfit { Tunic, Robe, Armor, Dress };
enum class THeld { None, Sword, Staff, Bow, Spear };
enum class TBody { Human, Slime, Bat, Ghost, Chest, Door, Crystal };

struct TLook {
  TBody body = TBody::Human;
  int skin = 2;       // ramp of the skin (rSkin, rBone for skeletons)
  int skinShade = 5;  // base shade of the skin
  int hair = 3;       // ramp of the hair
  THair hairStyle = THair::Short;
  THeadgear headgear = THeadgear::None;
  int gearRamp = 26;  // ramp of hood, helmet or hat
  TOutfit outfit = TOutfit::Tunic;
  int top = 11, bottom = 24, accent = 13;  // ramps of shirt or robe, trousers, trim
  bool cape = false;
  int capeRamp = 11;
  THeld held = THeld::None;
  bool beard = false;
  bool small = false;  // a child: one head shorter
  bool hollowEyes = false;
};

// Layout of a character sheet: character c's block and its 24 x 32 frames.
TRect CharacterFrameRect(int character, int facing, int pattern);

// facing 0 up, 1 right, 2 down, 3 left; pattern 0 left step, 1 standing, 2 right step.
void DrawCharacterFrame(TIndexedCanvas& c, int x, int y, const TLook& look, int facing, int pattern);
TIndexedCanvas DrawCharacterSheet(const std::array<TLook, 8>& looks);

// A 48 x 48 portrait; smile gives the cheerful variant.
void DrawFace(TIndexedCanvas& c, int x, int y, const TLook& look, bool smile);
// Sixteen portraits, four a row: each look in looks[i] gives faces 2i (plain) and 2i + 1 (smiling).
TIndexedCanvas DrawFaceSheet(const std::array<TLook, 8>& looks);

// The casts of the runtime package's sheets.
std::array<TLook, 8> HeroLooks();
std::array<TLook, 8> PeopleLooks();
std::array<TLook, 8> CreatureLooks();

}  // namespace tess::rtp
