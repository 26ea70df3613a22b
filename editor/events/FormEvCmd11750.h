#pragma once
// "Tile Substitution": the layer, and the tile to replace and the tile put in its place, each a
// number or picked with "..." from the palette of the current map's tileset ("Replace Chip": the
// lower or upper chips, by the layer chosen).

#include <memory>

#include "ui/script/FormEvCmdBase.h"

class QPushButton;

namespace tess {

class TLcfChipSetGraphic;

class TFormEvCmd11750 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd11750(const TLcfEventScriptList& lines, TCommandDialogContext& context);
  ~TFormEvCmd11750() override;
  // Runs the palette for the row keyed "from" or "to".
  void PickTile(const char* key);
  QPushButton* PickButton(const char* key) const;

 private:
  std::unique_ptr<TLcfChipSetGraphic> graphic_;
  QPushButton* pickFrom_ = nullptr;
  QPushButton* pickTo_ = nullptr;
};

}  // namespace tess
