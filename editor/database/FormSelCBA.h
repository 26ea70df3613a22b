#pragma once
// The battler settings windows: "Skill Animation" (every hero's pose, movement and afterimage when
// using a skill) and "Weapon Animation Form" (how the heroes who may use a weapon attack with it).
// Both work on a copy of the list, extended to one entry per hero, and write it back after OK only
// when the author changed something. Choosing a hero whose battler animation set does not exist
// resets the hero's set to 1. Without a movement there is no afterimage. A ranged weapon keeps
// "Attack All Enemies" in step with its targeting.

#include <QDialog>
#include <vector>

#include "database/LD_Animation2.h"

class QListWidget;
class QComboBox;

namespace tess {

class TFieldBinder;
class TLcfDataBase;
class TLcfSkillItem;
class TLcfItemItem;
class TLcfPlayerItem;

class TFormSelCBABase : public QDialog {
  Q_OBJECT
 public:
  // Whether OK wrote anything back.
  bool Changed() const { return written_; }
  QListWidget* Heroes() const { return heroes_; }
  TFieldBinder& Binder() const { return *binder_; }
  // The shown hero's entry in the copy.
  TLcfCBADataItem* Current() const;
  void ChooseHero(int row);

 protected:
  TFormSelCBABase(TLcfDataBase& db, const TLcfCBAData& list, int32_t& previewHero, std::vector<int32_t> heroIds,
                  QWidget* parent);
  // Fills the hero's lists (poses or weapons of its set) and shows the entry.
  virtual void ShowHero() = 0;
  // Writes the copy back after OK; returns whether it did.
  virtual bool WriteBack() = 0;
  TLcfAnimation2Item* HeroSet() const;
  // Fills a list with the set's entries (or "------------------" for unnamed ones), keeping an
  // index the list does not hold as a line of its own.
  void FillSetList(QComboBox* list, const TCatalog* entries, int32_t value, bool withNone);
  void Edited() { edited_ = true; }
  void Finish();

  TLcfDataBase& db_;
  TLcfCBAData copy_;
  int32_t& previewHero_;
  std::vector<int32_t> heroIds_;
  QListWidget* heroes_ = nullptr;
  TFieldBinder* binder_ = nullptr;
  bool edited_ = false;
  bool written_ = false;
  bool filling_ = false;
};

class TFormSelCBASkill final : public TFormSelCBABase {
  Q_OBJECT
 public:
  TFormSelCBASkill(TLcfDataBase& db, TLcfSkillItem& skill, QWidget* parent = nullptr);
  QComboBox* Poses() const { return poses_; }

 protected:
  void ShowHero() override;
  bool WriteBack() override;

 private:
  TLcfSkillItem& skill_;
  QComboBox* poses_ = nullptr;
};

class TFormSelCBA final : public TFormSelCBABase {
  Q_OBJECT
 public:
  TFormSelCBA(TLcfDataBase& db, TLcfItemItem& weapon, QWidget* parent = nullptr);
  // The weapon's trajectory, targeting and "Attack All Enemies" as the window holds them.
  int32_t trajectory = 0;
  int32_t targeting = 0;
  uint8_t attackAll = 0;

 protected:
  void ShowHero() override;
  bool WriteBack() override;

 private:
  TLcfItemItem& weapon_;
  QComboBox* weapons_ = nullptr;
  QComboBox* rangedWeapons_ = nullptr;
};

}  // namespace tess
