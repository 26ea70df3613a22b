#pragma once
// Tileset graphics: turns the tile ids of map cells into pictures. A graphic shows the picture of
// one tileset, found by name in the ChipSet material folder (the project's first, then the runtime
// package's), and draws any tile id as a square of any size onto a board: water composed from
// quarters with its corner pieces and animation frames, the animated tiles, every autotile shape,
// and the lower and upper chips.
//
// The graphic keeps the tileset's id and the water settings it was given, never a pointer into the
// database, whose records are replaced when the database window applies its changes: an owner that
// changed the database hands the tileset over again.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "maps/ChipSetPicture.h"
#include "media/CorvidSheet.h"

namespace tess {

class TLcfChipSetItem;

// The plain cell drawn for a tile id that no range of the tile-id space holds.
constexpr uint16_t kErrorCellColour = Rgb565(255, 0, 255);

class TLcfChipSetGraphic {
 public:
  // Both sheets at 480 x 256, blank; no tileset, no picture.
  TLcfChipSetGraphic();
  TLcfChipSetGraphic(const TLcfChipSetGraphic&) = delete;
  TLcfChipSetGraphic& operator=(const TLcfChipSetGraphic&) = delete;

  // Forgets the picture and the tileset; both sheets blank.
  void ClearPicture();
  // Takes the tileset's id and water settings and loads its picture; none clears both.
  void SetTileset(const TLcfChipSetItem* tileset);
  // Loads and analyses the ChipSet picture of that name; nothing happens when it is the name
  // already loaded. A picture that cannot be found, read or is of the wrong size gives both
  // sheets the striped placeholder and says why in pictureError. A picture file loaded before and unchanged since is
  // taken from the shared cache without reading it again.
  void LoadPicture(const std::string& name);
  // Loads the current name again: after the picture's file was replaced.
  void ReloadPicture();

  // With transparency on, index 0 leaves the board unchanged; with it off it draws in its palette
  // colour. Both sheets.
  void SetTransparent(bool transparent);
  // Opacity of both sheets 255 - 30 * level (0 opaque).
  void SetFade(int level);

  // The chip index (6..17) of the block an autotile block's link cell repeats; -1 when it repeats
  // none and for any index that is not an autotile block.
  int GetLink(int chipIndex) const;

  // Draws one tile with its top-left at (x, y) as a size x size square (water and autotiles as
  // 2 * (size / 2)), from dimmedSheet when dimmed, else from sheet. counter is the animation tick
  // count (0 shows every tile still). Without a tileset nothing is drawn; an id outside every range
  // of the tile-id space draws a plain error cell. Never throws.
  void DrawChip(TCorvidBoard& board, int x, int y, int size, bool dimmed, int id, int counter);

  // The tile key (see ChipSetPicture) of an id at an animation counter, with this tileset's water
  // settings; -1 for an id outside every range of the tile-id space.
  int TileKeyOf(int id, int counter) const;

  bool HasTileset() const { return hasTileset_; }
  int32_t tilesetId = 0;  // 0 when there is none
  int32_t waterSequence = 0;
  int32_t waterSpeed = 0;
  std::string pictureName;
  std::string picturePath;   // the file found for the name, empty when none was
  std::string pictureError;  // why the sheets are blank; empty when the picture loaded
  // The picture as loaded, and the same with red, green and blue at 90 % and saturation at 60 %
  // for drawing the layer not being edited. Their pixels are the picture's; callers change only
  // their drawing state (transparency, opacity).
  TCorvidSheet sheet;
  TCorvidSheet dimmedSheet;
  std::array<TChipEntry, kLowerChipCount> chips{};
  std::array<TUpperChipEntry, kUpperChipCount> upperChips{};

 private:
  void TakePicture(std::shared_ptr<TChipSetPicture> picture);

  bool hasTileset_ = false;
  std::shared_ptr<TChipSetPicture> picture_;
};

}  // namespace tess
