#pragma once
// Whole pictures: title and game-over screens, battle backgrounds, parallax backgrounds, frames,
// pictures for events, system graphics, monsters and battle graphics.

#include <string>
#include <vector>

#include "tools/rtpgen/IndexedCanvas.h"

namespace tess::rtp {

struct TNamedPicture {
  std::string name;
  TIndexedCanvas picture;
};

std::vector<TNamedPicture> DrawTitles();                 // 320 x 240
std::vector<TNamedPicture> DrawGameOvers();              // 320 x 240
std::vector<TNamedPicture> DrawBackdrops();              // 320 x 240
std::vector<TNamedPicture> DrawPanoramas();              // tile sideways
std::vector<TNamedPicture> DrawFrames();                 // 320 x 240, open middle
std::vector<TNamedPicture> DrawPictures();               // up to 640 x 480
std::vector<TNamedPicture> DrawSystems();                // 160 x 80
std::vector<TNamedPicture> DrawSystem2s();               // 80 x 96
std::vector<TNamedPicture> DrawMonsters();               // 16..200 x 16..240
std::vector<TNamedPicture> DrawBattleAnimations();       // 96 x 96 cells, five a row
std::vector<TNamedPicture> DrawLargeBattleAnimations();  // 128 x 128 cells, five a row
std::vector<TNamedPicture> DrawBattleCharSets();         // 144 x 384: eight poses of three 48 x 48 frames
std::vector<TNamedPicture> DrawBattleWeapons();          // 192 x 512: eight weapons of three 64 x 64 frames

}  // namespace tess::rtp
