#pragma once
// "Add Skill": a level and a skill for the learned-skill list of a hero or class. The skill list
// offers only skills the list does not hold yet (and the skill of the entry being changed).

#include <QDialog>
#include <vector>

class QComboBox;
class QSpinBox;

namespace tess {

class TLcfSkill;

class TFormEDPlayerLearning final : public QDialog {
  Q_OBJECT
 public:
  // listed: the skills the list holds; level and skillId: the entry being changed (skillId 0 for
  // a new one).
  TFormEDPlayerLearning(const TLcfSkill& skills, const std::vector<int32_t>& listed, int32_t level, int32_t skillId,
                        QWidget* owner = nullptr);

  int32_t Level() const;
  int32_t SkillId() const;
  QSpinBox* LevelBox() const { return level_; }
  QComboBox* SkillList() const { return skill_; }

 private:
  QSpinBox* level_ = nullptr;
  QComboBox* skill_ = nullptr;
};

}  // namespace tess
