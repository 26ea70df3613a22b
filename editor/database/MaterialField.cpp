#include "editor/database/MaterialField.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

#include "media/LD_Sound.h"
#include "ui/pickers/FormSelMusic.h"
#include "ui/pickers/FormSelSound.h"

namespace tess {

namespace {

// The button follows its box when the binder enables or disables the box.
class TFollowEnabled : public QObject {
 public:
  TFollowEnabled(QWidget* box, QWidget* button) : QObject(box), button_(button) { box->installEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::EnabledChange) button_->setEnabled(static_cast<QWidget*>(watched)->isEnabled());
    return false;
  }

 private:
  QWidget* button_;
};

}  // namespace

QWidget* MaterialField(TFieldBinder& binder, const TFieldRow& row, TFieldAccess access, QWidget* parent,
                       std::function<bool(QWidget* owner)> pick, std::function<void()> changed) {
  auto* field = new QWidget(parent);
  auto* layout = new QHBoxLayout(field);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  auto* box = new QLineEdit(field);
  box->setReadOnly(true);
  binder.Attach(row, box, std::move(access));
  auto* button = new QToolButton(field);
  button->setText("...");
  button->setObjectName(QString::fromUtf8(row.key) + "Set");
  new TFollowEnabled(box, button);
  layout->addWidget(box, 1);
  layout->addWidget(button);
  QObject::connect(button, &QToolButton::clicked, field, [&binder, field, pick, changed] {
    if (!pick(field->window())) return;
    binder.Load();
    if (changed) changed();
  });
  return field;
}

namespace {

template <class Record>
bool Same(const Record& a, const Record& b) {
  return a.name == b.name && a.volume == b.volume && a.tempo == b.tempo && a.balance == b.balance;
}

}  // namespace

bool PickMusic(QWidget* owner, TLcfMusic& music) {
  TFormSelMusic picker(owner);
  picker.Music().Assign(music);
  if (picker.exec() != QDialog::Accepted) return false;
  const bool changed = !Same(music, picker.Music()) || music.fadeIn != picker.Music().fadeIn;
  if (changed) music.Assign(picker.Music());
  return changed;
}

bool PickSound(QWidget* owner, TLcfSound& sound) {
  TFormSelSound picker(owner);
  picker.Sound().Assign(sound);
  if (picker.exec() != QDialog::Accepted) return false;
  const bool changed = !Same(sound, picker.Sound());
  if (changed) sound.Assign(picker.Sound());
  return changed;
}

}  // namespace tess
