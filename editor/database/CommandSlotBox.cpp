#include "editor/database/CommandSlotBox.h"

#include <QComboBox>
#include <QVBoxLayout>

#include "core/EntryCaption.h"
#include "database/ActorPageKit.h"
#include "database/LD_Battle.h"
#include "platform/TextCodec.h"

namespace tess {

TCommandSlotBox::TCommandSlotBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
  auto* layout = new QVBoxLayout(this);
  for (int slot = 0; slot < kBattleCommandSlots; ++slot) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString("Command%1").arg(slot + 1));
    lists_[static_cast<size_t>(slot)] = combo;
    layout->addWidget(combo);
    connect(combo, &QComboBox::activated, this, [this, slot, combo](int index) {
      if (!showing_ && index >= 0) emit chosen(slot, combo->itemData(index).toInt());
    });
  }
}

void TCommandSlotBox::Show(const int32_t* ids, const TLcfBattleCMD& known) {
  showing_ = true;
  const int count = known.Count();
  for (int slot = 0; slot < kBattleCommandSlots; ++slot) {
    QComboBox* combo = lists_[static_cast<size_t>(slot)];
    combo->clear();
    if (!ids) {
      combo->setEnabled(false);
      continue;
    }
    const int32_t stored = ids[slot];
    const bool open = CommandSlotOpen(ids, slot, count);
    combo->setEnabled(open);
    if (open) {
      combo->addItem("(None)", 0);
      for (int32_t id : OfferedCommands(ids, slot, count)) {
        const TLcfBattleCMDItem* command = known.FindById(id);
        combo->addItem(TextCodec::Current().ToUnicode(EntryCaption(id, command ? command->name : std::string())), id);
      }
    }
    int at = combo->findData(stored);
    if (at < 0 && stored > 0) {
      combo->addItem(QString::asprintf("%.4d:? (missing)", stored), stored);
      at = combo->count() - 1;
    }
    combo->setCurrentIndex(at);
  }
  showing_ = false;
}

}  // namespace tess
