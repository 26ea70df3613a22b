#pragma once
// What the hero and class pages share: the six parameter thumbnails with "Parameter Progression",
// the experience curve with "Experience Curve", the learned skills with "Add Skill", the
// resistance rank lists and the six battle command slots. The pages put these parts where they
// like and show their own fields beside them.

#include <array>

#include "editor/database/FormEntryListPage.h"

class QComboBox;
class QLabel;
class QTableWidget;
class QPushButton;

namespace tess {

class TLcfActorBase;
class TLcfLearningItem;
class TParameterThumbnail;
class TRankList;
class TCommandSlotBox;

class TFormEDActor : public TFormEntryListPage {
  Q_OBJECT
 public:
  TFormEDActor(TCatalog& catalog, int clipboardFormat, const TDataBasePageContext& context, QWidget* parent);

  // The shown hero or class (none when the list is empty).
  virtual TLcfActorBase* Actor() const = 0;
  bool EditsFields() const override { return true; }

  // The sub-windows, opened on the shown entry; they write back on OK.
  void RunParameters(int parameter);
  void RunExperience();
  // "Add Skill" (row -1) or changing the skill of a row; Remove takes a row out.
  void RunLearning(int row);
  void RemoveLearning(int row);
  // A choice in a battle command slot's list ("(None)" is 0).
  void ChooseCommand(int slot, int32_t id);

  TParameterThumbnail* Thumbnail(int parameter) const { return thumbnails_[static_cast<size_t>(parameter)]; }
  QLabel* ExperienceLine() const { return experience_; }
  QTableWidget* Skills() const { return skills_; }
  TRankList* ConditionRanks() const { return conditionRanks_; }
  TRankList* AttributeRanks() const { return attributeRanks_; }
  QComboBox* CommandSlot(int slot) const;

 protected:
  // The learned skills of the shown entry.
  virtual TCatalog* Learned() const = 0;
  // The "Now:" figure of a thumbnail: by default the value at level 1.
  virtual int NowValue(int parameter) const;

  QWidget* BuildCurves(QWidget* parent);
  QWidget* BuildSkills(QWidget* parent);
  QWidget* BuildRanks(QWidget* parent);
  QWidget* BuildCommands(QWidget* parent);
  // Shows the shared parts for the shown entry (ranks included) or refreshes what a change moves.
  void LoadShared();
  void UpdateShared();
  // After a change through a shared part: tells the window and refreshes the view.
  void SharedChanged();

 private:
  void ShowSkills();
  void ShowCommands();
  TLcfLearningItem* LearnedAt(int row) const;

  std::array<TParameterThumbnail*, 6> thumbnails_{};
  QLabel* experience_ = nullptr;
  QTableWidget* skills_ = nullptr;
  TRankList* conditionRanks_ = nullptr;
  TRankList* attributeRanks_ = nullptr;
  TCommandSlotBox* commands_ = nullptr;
};

}  // namespace tess
