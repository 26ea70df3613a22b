#pragma once
// "Define Encounter": picks the troop of one encounter from every troop of the database by name.

#include <QDialog>

class QListWidget;

namespace tess {

class TLcfMonGroup;

class TFormEDMapEncount : public QDialog {
  Q_OBJECT
 public:
  // troopId 0 (a new encounter) opens on the troop chosen last time.
  TFormEDMapEncount(const TLcfMonGroup& troops, int32_t troopId, QWidget* parent = nullptr);

  // The chosen troop's id; after OK also the one the next new encounter opens on.
  int32_t TroopId() const;
  void accept() override;
  QListWidget* List() const { return list_; }

 private:
  const TLcfMonGroup& troops_;
  QListWidget* list_;
};

}  // namespace tess
