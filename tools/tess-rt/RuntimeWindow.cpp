#include "tools/tess-rt/RuntimeWindow.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tess {

TRuntimeWindow::TRuntimeWindow(const QString& projectFolder, const QString& report, int problems, bool autoClose,
                               QWidget* parent)
    : QWidget(parent) {
  setWindowTitle("Tessaly test runtime");
  setObjectName("RuntimeWindow");
  auto* layout = new QVBoxLayout(this);

  auto* note = new QLabel(
      "<b>This is Tessaly's stand-in runtime. It checks that the game's files can be read; it does not play the "
      "game.</b><br>To play, name a game runtime in the editor with Game &gt; Game Runtime.");
  note->setWordWrap(true);
  layout->addWidget(note);

  auto* project = new QLabel(QString("Project: %1").arg(projectFolder.toHtmlEscaped()));
  project->setTextInteractionFlags(Qt::TextSelectableByMouse);
  project->setWordWrap(true);
  layout->addWidget(project);

  auto* result =
      new QLabel(problems == 0 ? QString("The project is sound: no problems found.")
                               : QString("%1 %2 found:").arg(problems).arg(problems == 1 ? "problem" : "problems"));
  result->setObjectName("Result");
  QPalette colours = result->palette();
  colours.setColor(QPalette::WindowText, problems == 0 ? QColor(0, 110, 0) : QColor(170, 0, 0));
  result->setPalette(colours);
  QFont bold = result->font();
  bold.setBold(true);
  result->setFont(bold);
  layout->addWidget(result);

  auto* text = new QPlainTextEdit(report);
  text->setObjectName("Report");
  text->setReadOnly(true);
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  layout->addWidget(text, 1);

  auto* buttons = new QHBoxLayout;
  countdown_ = new QLabel;
  buttons->addWidget(countdown_, 1);
  keep_ = new QPushButton("Keep Open");
  connect(keep_, &QPushButton::clicked, this, &TRuntimeWindow::KeepOpen);
  buttons->addWidget(keep_);
  auto* close = new QPushButton("Close");
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  buttons->addWidget(close);
  layout->addLayout(buttons);

  resize(640, 420);
  keep_->setVisible(autoClose);
  if (autoClose) {
    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &TRuntimeWindow::Tick);
    timer_.start();
    countdown_->setText(QString("Closes in %1 s").arg(secondsLeft_));
  }
}

void TRuntimeWindow::Tick() {
  if (--secondsLeft_ <= 0) {
    close();
    return;
  }
  countdown_->setText(QString("Closes in %1 s").arg(secondsLeft_));
}

void TRuntimeWindow::KeepOpen() {
  timer_.stop();
  countdown_->clear();
  keep_->hide();
}

}  // namespace tess
