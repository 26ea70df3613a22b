#include "editor/app/FormProcessWait.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProcess>
#include <QVBoxLayout>

namespace tess {

TFormProcessWait::TFormProcessWait(QProcess& process, const QString& caption, const QString& heading, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), process_(process) {
  setWindowTitle(caption);
  setObjectName("FormProcessWait");
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  if (!heading.isEmpty()) {
    // The caption is not shown where no window manager draws title bars; the heading always is.
    auto* title = new QLabel(QString("%1: %2").arg(caption, heading), this);
    title->setObjectName("Heading");
    title->setAlignment(Qt::AlignCenter);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
  }
  auto* panel = new QLabel("Go Wild :)", this);
  panel->setAlignment(Qt::AlignCenter);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setMinimumSize(220, 48);
  layout->addWidget(panel);
  connect(&process_, &QProcess::finished, this, [this] {
    finished_ = true;
    if (parentWidget()) parentWidget()->window()->activateWindow();
    done(QDialog::Accepted);
  });
  connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart || error == QProcess::Crashed) {
      finished_ = true;
      done(QDialog::Accepted);
    }
  });
}

void TFormProcessWait::WaitModal() {
  if (process_.state() == QProcess::NotRunning) return;
  if (parentWidget()) {
    QRect owner = parentWidget()->window()->frameGeometry();
    adjustSize();
    move(owner.center() - rect().center());
  }
  exec();
}

void TFormProcessWait::closeEvent(QCloseEvent* event) {
  // Only the end of the process closes the window.
  if (!finished_) event->ignore();
}

void TFormProcessWait::keyPressEvent(QKeyEvent* event) {
  // Escape and Alt+F4 do nothing here.
  event->ignore();
}

}  // namespace tess
