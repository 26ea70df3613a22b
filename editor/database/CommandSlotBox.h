#pragma once
// The six battle command slots of a hero or class: one list per slot, the used slots first, the
// slot after them offering "(None)" and every command no other used slot holds, later slots
// disabled. The hero and class pages and the battle layout page show them; the owner normalises the
// slots when the author chooses (ChooseCommand of the actor page kit) and shows them again.

#include <QGroupBox>
#include <array>
#include <cstdint>

class QComboBox;

namespace tess {

class TLcfBattleCMD;

class TCommandSlotBox final : public QGroupBox {
  Q_OBJECT
 public:
  TCommandSlotBox(const QString& title, QWidget* parent = nullptr);

  // Shows the slots' ids (none: every list empty and disabled) with the names of known. A stored id
  // that names no command, or repeats one, is shown as it is and kept.
  void Show(const int32_t* ids, const TLcfBattleCMD& known);
  QComboBox* Slot(int slot) const { return lists_[static_cast<size_t>(slot)]; }

 signals:
  // The author chose id ("(None)" is 0) in a slot's list.
  void chosen(int slot, int32_t id);

 private:
  std::array<QComboBox*, 6> lists_{};
  bool showing_ = false;
};

}  // namespace tess
