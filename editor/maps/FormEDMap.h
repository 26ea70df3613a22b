#pragma once
// "Map Properties": what a map is, as opposed to what lies on it: name, tileset, size, wrapping,
// encounters, parallax background, music, battle background, permissions, and the settings of
// the random dungeon generator with its nine tile slots. The dialog edits a working copy
// (TMapProperties); the caller applies it after OK. For a generator map a small preview shows the
// dungeon OK would make, and "Try Another" draws a fresh one.

#include <QDialog>
#include <memory>

#include "maps/DungeonPalette.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;
class QWidget;

namespace tess {

class TBoardView;
class TEncounterListBox;
class TLcfChipSetGraphic;
class TMapProperties;
class TMapTreeCommands;
class TProjectDocument;

class TFormEDMap : public QDialog {
  Q_OBJECT
 public:
  TFormEDMap(TProjectDocument& document, TMapTreeCommands& commands, TMapProperties& properties,
             QWidget* parent = nullptr);
  ~TFormEDMap() override;

  // The seed the preview was drawn from; OK makes the same dungeon from it.
  uint32_t Seed() const { return seed_; }
  void TryAnother();
  // Opens the palette picker of a generator slot.
  void PickSlot(int slot);

  // Controls, for tests and for the author's eye.
  QLineEdit* NameEdit() const { return name_; }
  QComboBox* TilesetBox() const { return tileset_; }
  QSpinBox* WidthBox() const { return width_; }
  QSpinBox* HeightBox() const { return height_; }
  QSpinBox* RoomWidthBox() const { return roomWidth_; }
  QSpinBox* RoomHeightBox() const { return roomHeight_; }
  QCheckBox* GeneratorBox() const { return useGenerator_; }
  QComboBox* GuidelineBox() const { return guideline_; }
  QRadioButton* Choice(int group, int index) const { return choices_[group][index]; }
  TBoardView* SlotView(int slot) const { return slots_[slot]; }
  TBoardView* DungeonPreview() const { return preview_; }
  QWidget* GeneratorPage() const { return generatorPage_; }

  void accept() override;

 private:
  QWidget* BuildGeneralPage();
  QWidget* BuildGeneratorPage();
  // Shows the working copy in every control.
  void Show();
  // After every change: ranges, enabling and previews follow the values.
  void Changed();
  void DrawSlots();
  void DrawPanorama();
  void DrawPreview();
  void LoadTileset();

  TProjectDocument& document_;
  TMapTreeCommands& commands_;
  TMapProperties& p_;
  std::unique_ptr<TLcfChipSetGraphic> graphic_;
  uint32_t seed_;
  bool showing_ = false;

  QLineEdit* name_ = nullptr;
  QComboBox* tileset_ = nullptr;
  QSpinBox *width_ = nullptr, *height_ = nullptr;
  QComboBox* wrapping_ = nullptr;
  TEncounterListBox* encounters_ = nullptr;
  QSpinBox* rate_ = nullptr;
  QCheckBox* usePanorama_ = nullptr;
  TBoardView* panorama_ = nullptr;
  QPushButton* panoramaSet_ = nullptr;
  QWidget* scrolling_ = nullptr;
  QCheckBox *scrollH_ = nullptr, *autoH_ = nullptr, *scrollV_ = nullptr, *autoV_ = nullptr;
  QSpinBox *speedH_ = nullptr, *speedV_ = nullptr;
  // Radio groups: 0 music, 1 backdrop, 2 teleport, 3 escape, 4 save.
  QRadioButton* choices_[5][3] = {};
  QPushButton* musicSet_ = nullptr;
  QPushButton* backdropSet_ = nullptr;
  QCheckBox* useGenerator_ = nullptr;
  QWidget* generatorPage_ = nullptr;
  QWidget* generatorArea_ = nullptr;
  QComboBox* guideline_ = nullptr;
  QWidget* granularityGroup_ = nullptr;
  QRadioButton* granularity_[2] = {};
  QWidget* roomGroup_ = nullptr;
  QSpinBox *roomWidth_ = nullptr, *roomHeight_ = nullptr;
  QCheckBox* surround_ = nullptr;
  QCheckBox* slotUse_[kGeneratorSlotCount] = {};
  QLabel* slotHint_ = nullptr;
  TBoardView* slots_[kGeneratorSlotCount] = {};
  TBoardView* preview_ = nullptr;
  QScrollArea* previewArea_ = nullptr;
  QPushButton* tryAnother_ = nullptr;
};

}  // namespace tess
