#include "editor/media/MaterialDialogs.h"

#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <exception>

#include "media/MaterialManager.h"
#include "platform/FilePathText.h"
#include "platform/ShellServices.h"
#include "ui/BitmapImage.h"

namespace tess {

QStringList NameFiltersOf(const QString& filterList) {
  QStringList filters;
  const QStringList parts = filterList.split('|');
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    const QString patterns = parts[i + 1].trimmed();
    if (description.isEmpty() || patterns.isEmpty()) continue;
    // The dialog reads the patterns from the parentheses, separated by blanks. Names match
    // regardless of case, as on the systems material files often come from.
    const int open = description.lastIndexOf('(');
    if (open >= 0) description = description.left(open).trimmed();
    QStringList both;
    for (const QString& pattern : patterns.split(';', Qt::SkipEmptyParts)) {
      both << pattern.toLower();
      if (pattern.toUpper() != pattern.toLower()) both << pattern.toUpper();
    }
    filters << QString("%1 (%2)").arg(description, both.join(' '));
  }
  return filters;
}

QString ExtensionOfFilter(const QString& nameFilter) {
  const int star = nameFilter.indexOf("*.");
  if (star < 0) return {};
  int end = star + 2;
  while (end < nameFilter.size() && nameFilter[end].isLetterOrNumber()) ++end;
  return nameFilter.mid(star + 2, end - star - 2);
}

TCenterOpenDialog::TCenterOpenDialog(QWidget* owner, const QString& title) : QFileDialog(owner, title) {
  // Our own dialog, so that it can be placed and carry a preview.
  setOption(QFileDialog::DontUseNativeDialog, true);
  setFileMode(QFileDialog::ExistingFile);
  setAcceptMode(QFileDialog::AcceptOpen);
}

void TCenterOpenDialog::SetFilter(const QString& filterList, const QString& defaultExtension) {
  setNameFilters(NameFiltersOf(filterList));
  setDefaultSuffix(QString(defaultExtension).remove(0, defaultExtension.startsWith('.') ? 1 : 0));
}

QString TCenterOpenDialog::Run(const QString& folder, const QString& proposedName) {
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) setDirectory(folder);
  if (!proposedName.isEmpty()) selectFile(proposedName);
  if (exec() != QDialog::Accepted || selectedFiles().isEmpty()) return {};
  return QFileInfo(selectedFiles().first()).absoluteFilePath();
}

void TCenterOpenDialog::showEvent(QShowEvent* event) {
  QFileDialog::showEvent(event);
  QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
  QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
  if (!owner || !screen) return;
  move(CenterOnOwner(frameGeometry().size(), owner->frameGeometry(), screen->availableGeometry()).topLeft());
}

TCenterSaveDialog::TCenterSaveDialog(QWidget* owner, const QString& title) : TCenterOpenDialog(owner, title) {
  setFileMode(QFileDialog::AnyFile);
  setAcceptMode(QFileDialog::AcceptSave);
  setOption(QFileDialog::DontConfirmOverwrite, false);
  connect(this, &QFileDialog::filterSelected, this, [this](const QString& filter) {
    const QString extension = ExtensionOfFilter(filter);
    if (!extension.isEmpty()) setDefaultSuffix(extension);
  });
}

TPicturePreview::TPicturePreview(QWidget* parent) : QWidget(parent) {
  setObjectName("PaintBox");
  setMinimumSize(160, 160);
}

void TPicturePreview::SetPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void TPicturePreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (picture_.isNull()) {
    painter.drawText(rect(), Qt::AlignCenter, "(None)");
    return;
  }
  QSize size = picture_.size();
  if (size.width() > width() || size.height() > height()) size.scale(this->size(), Qt::KeepAspectRatio);
  const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
  painter.drawImage(target, picture_);
}

TOpenPictureDialogEx::TOpenPictureDialogEx(QWidget* owner, const QString& title) : TCenterOpenDialog(owner, title) {
  auto* panel = new QWidget(this);
  panel->setObjectName("PicturePanel");
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(6, 0, 0, 0);
  label_ = new QLabel("Picture", panel);
  label_->setObjectName("PictureLabel");
  auto* frame = new QFrame(panel);
  frame->setObjectName("PaintPanel");
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setFrameShadow(QFrame::Sunken);
  auto* inFrame = new QVBoxLayout(frame);
  preview_ = new TPicturePreview(frame);
  inFrame->addWidget(preview_);
  column->addWidget(label_);
  column->addWidget(frame, 1);
  if (auto* grid = qobject_cast<QGridLayout*>(layout()))
    grid->addWidget(panel, 0, grid->columnCount(), grid->rowCount(), 1);
  connect(this, &QFileDialog::currentChanged, this, &TOpenPictureDialogEx::ShowPictureOf);
}

void TOpenPictureDialogEx::ShowPictureOf(const QString& path) {
  QImage image;
  if (QFileInfo(path).isFile()) {
    try {
      TImportPicture picture;
      LoadImportPicture(ToPath(QFileInfo(path).absoluteFilePath()), picture);
      image = BitmapToImage(picture.bitmap, &picture.alpha);
    } catch (const std::exception&) {
      image = QImage();  // not a picture the codecs read
    }
  }
  preview_->SetPicture(image);
  label_->setText(image.isNull() ? QString("Picture")
                                 : QString("Picture (%1x%2)").arg(image.width()).arg(image.height()));
}

QString TOpenPictureDialogEx::PictureCaption() const { return label_->text(); }

}  // namespace tess
