#include "maps/GR_ChipSet.h"

#include <algorithm>

#include "core/MaterialFiles.h"
#include "core/NameEncoding.h"
#include "core/PathUtils.h"
#include "database/LD_ChipSet.h"

namespace tess {

TLcfChipSetGraphic::TLcfChipSetGraphic() {
  sheet.SetSize(kChipSetWidth, kChipSetHeight);
  dimmedSheet.SetSize(kChipSetWidth, kChipSetHeight);
  dimmedSheet.adjust1.SetColor(90, 90, 90, 60, true);
  TakePicture(TChipSetPicture::Obtain(""));
}

void TLcfChipSetGraphic::ClearPicture() {
  pictureName.clear();
  picturePath.clear();
  pictureError.clear();
  TakePicture(TChipSetPicture::Obtain(""));
  hasTileset_ = false;
  tilesetId = 0;
  waterSequence = waterSpeed = 0;
}

void TLcfChipSetGraphic::SetTileset(const TLcfChipSetItem* tileset) {
  hasTileset_ = tileset != nullptr;
  tilesetId = tileset ? tileset->Id() : 0;
  waterSequence = tileset ? tileset->waterSequence : 0;
  waterSpeed = tileset ? tileset->waterSpeed : 0;
  LoadPicture(tileset ? tileset->chipSetFile : std::string());
}

void TLcfChipSetGraphic::LoadPicture(const std::string& name) {
  if (name == pictureName) return;
  pictureName = name;
  picturePath.clear();
  pictureError.clear();
  if (name.empty()) {
    TakePicture(TChipSetPicture::Obtain(""));
    return;
  }
  // The lookup gives the name back unchanged when neither folder has the picture; that is no path
  // to read (it would be taken relative to the current directory).
  const std::string found = FindMaterialFile(name, "ChipSet", PictureExtensions());
  if (found.empty() || found == name || !IsFile(found)) {
    pictureError = "ChipSet/" + DescribeMissingName(name) + ": no such picture in the project or the runtime package";
    TakePicture(TChipSetPicture::Placeholder());
    return;
  }
  picturePath = found;
  TakePicture(TChipSetPicture::Obtain(found));
  pictureError = picture_->Error().empty() ? std::string() : ShownPath(found) + ": " + picture_->Error();
}

void TLcfChipSetGraphic::ReloadPicture() {
  const std::string name = pictureName;
  pictureName.clear();
  LoadPicture(name);
}

void TLcfChipSetGraphic::TakePicture(std::shared_ptr<TChipSetPicture> picture) {
  picture_ = std::move(picture);
  const TCorvidSheet& from = picture_->Sheet();
  for (TCorvidSheet* s : {&sheet, &dimmedSheet}) {
    // The picture's sheet is never transparent, so every byte is copied.
    s->CopySheet(0, 0, from.BoundsRect(), from);
    s->palette = from.palette;
    s->UpdatePalette16();
  }
  chips = picture_->Chips();
  upperChips = picture_->UpperChips();
}

void TLcfChipSetGraphic::SetTransparent(bool transparent) { sheet.transparent = dimmedSheet.transparent = transparent; }

void TLcfChipSetGraphic::SetFade(int level) { sheet.opacity = dimmedSheet.opacity = 255 - 30 * level; }

int TLcfChipSetGraphic::GetLink(int chipIndex) const {
  if (chipIndex < kAutotileIndexFirst || chipIndex > kAutotileIndexLast) return -1;
  return chips[chipIndex].link;
}

int TLcfChipSetGraphic::TileKeyOf(int id, int counter) const {
  counter = std::max(counter, 0);
  if (id < 0) return -1;
  if (id < kWaterEnd) {
    // Corner bits above 15 name no corner.
    return tile_key::Water(id / 1000, id % kShapeCount, ((id % 1000) / 50) & 15,
                           WaterFrame(counter, waterSequence, waterSpeed));
  }
  if (id < kAnimatedFirst + 3 * 50) return tile_key::Animated((id - kAnimatedFirst) / 50, AnimatedFrame(counter));
  if (id < kAutotileFirst) return -1;
  if (id < kAutotileEnd) return tile_key::Autotile((id - kAutotileFirst) / 50, id % kShapeCount);
  if (id < kLowerChipFirst) return -1;
  if (id < kLowerChipEnd) return tile_key::LowerChip(id - kLowerChipFirst);
  if (id < kUpperChipFirst) return -1;
  if (id < kUpperChipEnd) return tile_key::UpperChip(id - kUpperChipFirst);
  return -1;
}

void TLcfChipSetGraphic::DrawChip(TCorvidBoard& board, int x, int y, int size, bool dimmed, int id, int counter) {
  if (!hasTileset_ || size <= 0) return;
  const int key = TileKeyOf(id, counter);
  if (key < 0) {
    board.FillRect(Bounds(x, y, size, size), kErrorCellColour);
    return;
  }
  // Blank chips on a transparent layer would change nothing.
  if (sheet.transparent) {
    if (key < tile_key::kUpperChip && chips[kLowerChipIndexFirst + key].blank) return;
    if (key >= tile_key::kUpperChip && key < tile_key::kAnimated && upperChips[key - tile_key::kUpperChip].blank)
      return;
  }
  const TScaledTile tile = picture_->Tile(key, size);
  if (tile.pixels) board.DrawIndices(x, y, tile.pixels, tile.width, tile.height, dimmed ? dimmedSheet : sheet);
}

}  // namespace tess
