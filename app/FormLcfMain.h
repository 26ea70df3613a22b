#pragma once
// The editor's main window.

#include <QMainWindow>

namespace tess {

class TFormLcfMain : public QMainWindow {
  Q_OBJECT
public:
  explicit TFormLcfMain(QWidget* parent = nullptr);
};

}  // namespace tess
