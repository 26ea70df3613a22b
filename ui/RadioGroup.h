#pragma once
// A titled group of radio buttons, one choice among them by its position.

#include <QGroupBox>
#include <functional>
#include <initializer_list>

class QRadioButton;

namespace tess {

// The group's buttons go into buttons (as many as captions); chosen is told the position of the
// button that becomes checked.
QGroupBox* MakeRadioGroup(QWidget* owner, const char* title, std::initializer_list<const char*> captions,
                          QRadioButton** buttons, std::function<void(int)> chosen);

}  // namespace tess
