#pragma once
// The file dialogs of the resource manager: an open and a save dialog that centre themselves over
// their owner window, and an open dialog with a preview of the picture under the cursor.

#include <QFileDialog>
#include <QImage>
#include <QString>
#include <QStringList>

class QLabel;

namespace tess {

// A filter list written as "Description (*.a;*.b)|*.a;*.b|Other (*.c)|*.c|" as the dialogs' name
// filters, each pattern in lower and upper case ("Description (*.a *.A *.b *.B)", ...).
QStringList NameFiltersOf(const QString& filterList);
// The extension (without the dot) of a name filter's first pattern: "bmp" for "Bitmap Images
// (*.bmp)"; empty when it has none.
QString ExtensionOfFilter(const QString& nameFilter);

class TCenterOpenDialog : public QFileDialog {
  Q_OBJECT
 public:
  TCenterOpenDialog(QWidget* owner, const QString& title);

  // The filter list as above and the extension given to a name typed without one (".mid").
  void SetFilter(const QString& filterList, const QString& defaultExtension);
  // Shows the dialog in folder; the chosen file's absolute path, or empty when cancelled.
  QString Run(const QString& folder, const QString& proposedName = QString());

 protected:
  void showEvent(QShowEvent* event) override;
};

// The save dialog: asks before a file is replaced; a name typed without an extension gets the one
// of the filter chosen.
class TCenterSaveDialog : public TCenterOpenDialog {
  Q_OBJECT
 public:
  TCenterSaveDialog(QWidget* owner, const QString& title);
};

// The picture shown beside the file list: "(None)" without one, the picture centred when it fits,
// else scaled to fit with its proportions kept.
class TPicturePreview : public QWidget {
  Q_OBJECT
 public:
  explicit TPicturePreview(QWidget* parent = nullptr);
  void SetPicture(const QImage& picture);
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

class TOpenPictureDialogEx : public TCenterOpenDialog {
  Q_OBJECT
 public:
  TOpenPictureDialogEx(QWidget* owner, const QString& title);

  // Shows the picture of a file, read by the picture codecs: "Picture (W x H)" above it, or
  // "Picture" alone when the file is none or cannot be read.
  void ShowPictureOf(const QString& path);
  QString PictureCaption() const;
  const TPicturePreview* Preview() const { return preview_; }

 private:
  QLabel* label_;
  TPicturePreview* preview_;
};

}  // namespace tess
