#include "ui/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tess {

QGroupBox* MakeRadioGroup(QWidget* owner, const char* title, std::initializer_list<const char*> captions,
                          QRadioButton** buttons, std::function<void(int)> chosen) {
  auto* box = new QGroupBox(QString::fromLatin1(title), owner);
  auto* layout = new QVBoxLayout(box);
  auto* group = new QButtonGroup(box);
  int i = 0;
  for (const char* caption : captions) {
    buttons[i] = new QRadioButton(QString::fromLatin1(caption), box);
    group->addButton(buttons[i], i);
    layout->addWidget(buttons[i]);
    ++i;
  }
  QObject::connect(group, &QButtonGroup::idToggled, box, [chosen = std::move(chosen)](int id, bool on) {
    if (on) chosen(id);
  });
  return box;
}

}  // namespace tess
