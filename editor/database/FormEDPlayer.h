#pragma once
// The database window's "Hero" page: names, class with "Apply", levels, critical hits, options,
// walking graphic, face and battle sprite, unarmed animation, starting equipment, and the parts it
// shares with the class page (curves, experience, skills, ranks, battle commands).

#include <QImage>
#include <QPixmap>
#include <map>
#include <string>

#include "editor/database/FormEDActor.h"

namespace tess {

class TFieldBinder;
class TLcfPlayerItem;

class TFormEDPlayer final : public TFormEDActor {
  Q_OBJECT
 public:
  TFormEDPlayer(const TDataBasePageContext& context, QWidget* parent = nullptr);

  void LoadEntry() override;
  void UpdateView() override;
  TLcfActorBase* Actor() const override;
  TLcfPlayerItem* Entry() const;
  TFieldBinder& Binder() const { return *binder_; }

  // "Apply": copies the hero's class onto it.
  void ApplyClass();
  // A choice in a starting equipment list (0 for none).
  void ChooseEquipment(int slot, int32_t itemId);
  // The sprite and face pickers' results.
  void SetSprite(const std::string& file, int index);
  void SetFace(const std::string& file, int index);

  QComboBox* EquipmentList(int slot) const { return equipment_[static_cast<size_t>(slot)]; }
  QPushButton* ApplyButton() const { return apply_; }

 protected:
  TCatalog* Learned() const override;
  int NowValue(int parameter) const override;

 private:
  void ShowEquipment();
  void ShowPictures();
  void RunSpritePicker();
  void RunFacePicker();
  QPixmap SheetCell(const std::string& name, const char* folder, const QRect& cell);

  TFieldBinder* binder_ = nullptr;
  std::array<QComboBox*, 5> equipment_{};
  std::array<QLabel*, 5> equipmentCaptions_{};
  QPushButton* apply_ = nullptr;
  QLabel* sprite_ = nullptr;
  QLabel* face_ = nullptr;
  bool showingEquipment_ = false;
  // The sheets the previews were cut from, read once while the page lives.
  std::map<std::string, QImage> sheets_;
};

}  // namespace tess
