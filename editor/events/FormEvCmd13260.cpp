#include "editor/events/FormEvCmd13260.h"

#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "core/EntryCaption.h"
#include "database/DataBaseObj.h"
#include "platform/TextCodec.h"

namespace tess {

QStringList TroopMemberTexts(const TEventScriptConverter& context) {
  QStringList texts;
  const TLcfDataBase& database = context.Database();
  if (const TLcfMonGroupItem* troop = context.Troop)
    for (int i = 0; i < troop->members.Count(); ++i) {
      const auto* member = static_cast<const TLcfMonGroupMonsterItem*>(troop->members.ItemAt(i));
      QString text = QString("%1:").arg(i + 1);
      for (int m = 0; m < database.monsters.Count(); ++m)
        if (database.monsters.ItemAt(m)->Id() == member->monsterId)
          text += TextCodec::Current().ToUnicode(database.monsters.ItemAt(m)->name);
      texts << text;
    }
  return texts;
}

TBattleAnimationTargets BattleAnimationTargets(const TEventScriptConverter& context) {
  TBattleAnimationTargets list;
  const TLcfDataBase& database = context.Database();
  list.texts << "All Enemies";
  list.targets.push_back({-1, 0});
  const QStringList members = TroopMemberTexts(context);
  for (int i = 0; i < members.size(); ++i) {
    list.texts << members[i];
    list.targets.push_back({i, 0});
  }
  list.texts << "Entire Party";
  list.targets.push_back({-1, 1});
  for (int i = 0; i < database.heroes.Count(); ++i) {
    const TCatalogItem* hero = database.heroes.ItemAt(i);
    list.texts << TextCodec::Current().ToUnicode(EntryCaption(hero->Id(), hero->name));
    list.targets.push_back({hero->Id(), 1});
  }
  return list;
}

TFormEvCmd13260::TFormEvCmd13260(const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(13260, lines, context), list_(BattleAnimationTargets(context.converter)) {
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  const TFieldRow& animation = *form_.FindRow("animation");
  form->addRow(QString::fromUtf8(animation.caption), binder_->Build(animation, AccessOf(animation), this));
  targets_ = new QComboBox(this);
  targets_->setObjectName("TargetList");
  targets_->addItems(list_.texts);
  form->addRow("Target", targets_);
  const TFieldRow& wait = *form_.FindRow("wait");
  form->addRow(binder_->Build(wait, AccessOf(wait), this));
  layout->addLayout(form);
  AddButtons(layout);
  connect(targets_, &QComboBox::activated, this, &TFormEvCmd13260::ChooseTarget);
  binder_->Load();
  ShowTarget();
}

void TFormEvCmd13260::ShowTarget() {
  const int32_t position = form_.Value("position");
  const bool listed = position >= 0 && position < static_cast<int32_t>(list_.targets.size());
  const TBattleAnimationTargets::TTarget* at = listed ? &list_.targets[static_cast<size_t>(position)] : nullptr;
  stale_ = !at || at->target != form_.Param(1) || at->side != form_.Param(3);
  if (stale_) {
    // Shown and kept as stored: the entry below the list says what became of it.
    const QString text = QString("%1: target no longer in the troop (kept)").arg(position);
    if (targets_->count() == static_cast<int>(list_.texts.size()))
      targets_->addItem(text);
    else
      targets_->setItemText(targets_->count() - 1, text);
    targets_->setCurrentIndex(targets_->count() - 1);
  } else {
    if (targets_->count() > static_cast<int>(list_.texts.size())) targets_->removeItem(targets_->count() - 1);
    targets_->setCurrentIndex(position);
  }
}

void TFormEvCmd13260::ChooseTarget(int position) {
  if (position < 0 || position >= static_cast<int>(list_.targets.size())) return;  // the kept stale entry
  const TBattleAnimationTargets::TTarget& t = list_.targets[static_cast<size_t>(position)];
  form_.SetParam(4, position);
  form_.SetParam(1, t.target);
  form_.SetParam(3, t.side);
  ShowTarget();
}

}  // namespace tess
