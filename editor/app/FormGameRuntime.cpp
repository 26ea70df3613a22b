#include "editor/app/FormGameRuntime.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/RuntimeLauncher.h"
#include "ui/DialogButtons.h"

namespace tess {

TFormGameRuntime::TFormGameRuntime(const QString& runtime, const QString& launcher, const std::string& projectFolder,
                                   std::vector<std::string> words, QWidget* owner)
    : QDialog(owner), projectFolder_(projectFolder), words_(std::move(words)) {
  setWindowTitle("Game Runtime");
  setObjectName("FormGameRuntime");
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  auto row = [&](const char* name, const char* caption, const QString& value, const QString& empty,
                 const QString& browseCaption) {
    auto* edit = new QLineEdit(value, this);
    edit->setObjectName(name);
    edit->setPlaceholderText(empty);
    edit->setMinimumWidth(360);
    auto* browse = new QPushButton("Browse...", this);
    connect(browse, &QPushButton::clicked, this, [this, edit, browseCaption] { Browse(edit, browseCaption); });
    connect(edit, &QLineEdit::textChanged, this, [this] { UpdatePreview(); });
    auto* line = new QHBoxLayout;
    line->addWidget(edit, 1);
    line->addWidget(browse);
    form->addRow(caption, line);
    return edit;
  };
  runtime_ = row("GameRuntime", "Game runtime:", runtime, "the project's TESS_RT.exe", "Game Runtime");
  launcher_ = row("RuntimeLauncher", "Launcher for Windows programs:", launcher, "wine, when it is installed",
                  "Launcher for Windows Programs");
  layout->addLayout(form);
  layout->addWidget(new QLabel("Test play starts:", this));
  preview_ = new QLabel(this);
  preview_->setObjectName("Preview");
  preview_->setWordWrap(true);
  preview_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  preview_->setMinimumHeight(3 * fontMetrics().height());
  layout->addWidget(preview_);
  layout->addWidget(
      new QLabel("The battle test starts the same program with BattleTest and the troop's settings.", this));
  layout->addStretch(1);
  layout->addWidget(MakeDialogButtons(this));
  UpdatePreview();
}

QString TFormGameRuntime::Runtime() const { return runtime_->text(); }

QString TFormGameRuntime::Launcher() const { return launcher_->text(); }

QString TFormGameRuntime::Preview() const { return preview_->text(); }

void TFormGameRuntime::UpdatePreview() {
  const QString chosen = runtime_->text().trimmed();
  const QString runtime = chosen.isEmpty() ? QString::fromStdString(projectFolder_ + "TESS_RT.exe") : chosen;
  QString why;
  const auto plan =
      RuntimeLauncher::Plan(runtime, words_, QString::fromStdString(projectFolder_), launcher_->text(), &why);
  preview_->setText(plan ? RuntimeLauncher::CommandLineText(*plan) : why);
}

void TFormGameRuntime::Browse(QLineEdit* edit, const QString& caption) {
  const QString start = edit->text().isEmpty() ? QString::fromStdString(projectFolder_) : edit->text();
  const QString file = QFileDialog::getOpenFileName(this, caption, QFileInfo(start).absolutePath());
  if (!file.isEmpty()) edit->setText(file);
}

}  // namespace tess
