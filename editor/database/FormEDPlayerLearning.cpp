#include "editor/database/FormEDPlayerLearning.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "core/EntryCaption.h"
#include "database/LD_Player.h"
#include "database/LD_Skill.h"
#include "platform/TextCodec.h"
#include "ui/DialogButtons.h"

namespace tess {

TFormEDPlayerLearning::TFormEDPlayerLearning(const TLcfSkill& skills, const std::vector<int32_t>& listed, int32_t level,
                                             int32_t skillId, QWidget* owner)
    : QDialog(owner) {
  setWindowTitle("Add Skill");
  setObjectName("FormEDPlayerLearning");
  auto* form = new QFormLayout(this);
  level_ = new QSpinBox(this);
  level_->setObjectName("Level");
  level_->setRange(std::min(1, level), std::max(kMaxHeroLevel, level));
  level_->setValue(level);
  skill_ = new QComboBox(this);
  skill_->setObjectName("Skill");
  for (int i = 0; i < skills.Count(); ++i) {
    const TCatalogItem* skill = skills.ItemAt(i);
    if (skill->Id() != skillId && std::find(listed.begin(), listed.end(), skill->Id()) != listed.end()) continue;
    skill_->addItem(TextCodec::Current().ToUnicode(EntryCaption(skill->Id(), skill->name)), skill->Id());
  }
  // A skill that no longer exists stays chosen until the author picks another.
  if (skillId > 0 && skill_->findData(skillId) < 0) skill_->addItem(QString::asprintf("%.4d:?", skillId), skillId);
  skill_->setCurrentIndex(std::max(0, skill_->findData(skillId)));
  form->addRow("Level", level_);
  form->addRow("Skill", skill_);
  auto* buttons = MakeDialogButtons(this, {});
  buttons->button(QDialogButtonBox::Ok)->setEnabled(skill_->count() > 0);
  form->addRow(buttons);
}

int32_t TFormEDPlayerLearning::Level() const { return level_->value(); }
int32_t TFormEDPlayerLearning::SkillId() const { return skill_->currentData().toInt(); }

}  // namespace tess
