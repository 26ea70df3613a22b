#include "editor/media/FormMaterialBase.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>
#include <exception>
#include <new>

#include "core/MaterialFiles.h"
#include "core/MessagePort.h"
#include "editor/media/FormMaterialBase2.h"
#include "editor/media/MaterialDialogs.h"
#include "platform/FilePathText.h"
#include "platform/Settings.h"
#include "platform/WaitCursor.h"
#include "ui/CommandIcons.h"
#include "ui/ManualPage.h"
#include "ui/QtMessagePort.h"

namespace tess {

namespace {

// Remembered while the editor runs.
int rememberedFolder = 0;
TImportFormat rememberedImportAs = TImportFormat::Png;

constexpr int kLinesAboveImported = 6;

QIcon FolderIcon(const QStyle* style, TMaterialKind kind) {
  switch (kind) {
    case TMaterialKind::Movie:
      return style->standardIcon(QStyle::SP_MediaPlay);
    case TMaterialKind::Music:
      return CommandIcon(TIconShape::Music);
    case TMaterialKind::Sound:
      return style->standardIcon(QStyle::SP_MediaVolume);
    case TMaterialKind::Picture:
      break;
  }
  return CommandIcon(TIconShape::Resources);
}

QString ExtensionOf(const std::string& path) { return QFileInfo(FromPath(path)).suffix().toLower(); }

}  // namespace

QString ImportFilter(const TMaterialFolder& kind, QString* defaultExtension) {
  switch (kind.kind) {
    case TMaterialKind::Movie:
      *defaultExtension = ".avi";
      return "Movie Files (*.avi;*.mpg)|*.avi;*.mpg|";
    case TMaterialKind::Music:
      *defaultExtension = ".mid";
      return "MIDI Files (*.mid)|*.mid| Wave Files (*.wav)|*.wav| MP3 Files (*.mp3)|*.mp3|";
    case TMaterialKind::Sound:
      *defaultExtension = ".wav";
      return "Wave Files (*.wav)|*.wav|";
    case TMaterialKind::Picture:
      break;
  }
  *defaultExtension = ".bmp";
  return "Image Files (*.bmp;*.png;*.xyz)|*.bmp;*.png;*.xyz|";
}

QString ExportFilter(const TMaterialFolder& kind, const QString& extension, QString* defaultExtension) {
  *defaultExtension = "." + extension;
  switch (kind.kind) {
    case TMaterialKind::Movie:
      return extension == "avi" ? "AVI Movies (*.avi)|*.avi|" : "MPEG Movies (*.mpg)|*.mpg|";
    case TMaterialKind::Music:
      if (extension == "mid") return "MIDI Files (*.mid)|*.mid|";
      if (extension == "wav") return "Wave Files (*.wav)|*.wav|";
      return "MP3 Files (*.mp3)|*.mp3|";
    case TMaterialKind::Sound:
      return "Wave Files (*.wav)|*.wav|";
    case TMaterialKind::Picture:
      break;
  }
  *defaultExtension = ".bmp";
  return "Bitmap Images (*.bmp)|*.bmp| PNG Images (*.png)|*.png| XYZ Images (*.xyz)|*.xyz|";
}

QString TMaterialDialogs::ChooseImportFile(QWidget* owner, const TMaterialFolder& kind, const QString& folder) {
  QString extension;
  const QString filter = ImportFilter(kind, &extension);
  std::unique_ptr<TCenterOpenDialog> dialog;
  if (kind.kind == TMaterialKind::Picture)
    dialog = std::make_unique<TOpenPictureDialogEx>(owner, "Import Resource");
  else
    dialog = std::make_unique<TCenterOpenDialog>(owner, "Import Resource");
  dialog->SetFilter(filter, extension);
  return dialog->Run(folder);
}

QString TMaterialDialogs::ChooseExportFile(QWidget* owner, const TMaterialFolder& kind, const QString& folder,
                                           const QString& proposedName, const QString& extension) {
  QString defaultExtension;
  const QString filter = ExportFilter(kind, extension, &defaultExtension);
  TCenterSaveDialog dialog(owner, "Export Resource");
  dialog.SetFilter(filter, defaultExtension);
  return dialog.Run(folder, proposedName);
}

std::optional<int> TMaterialDialogs::ChooseTransparent(QWidget* owner, const TBitmap& picture) {
  TFormMaterialBase2 chooser(picture, owner);
  if (chooser.exec() != QDialog::Accepted) return std::nullopt;
  return chooser.ChosenIndex();
}

TFormMaterialBase::TFormMaterialBase(TSettings& settings, const std::string& projectFolder,
                                     const std::string& runtimePackageFolder, QWidget* owner,
                                     TMaterialDialogPort* dialogs)
    : QDialog(owner),
      settings_(settings),
      manager_(projectFolder, runtimePackageFolder),
      dialogs_(dialogs ? dialogs : &ownDialogs_) {
  setWindowTitle("Resource Manager");
  materialFolder_ = FromPath(settings_.MaterialPath());
  if (materialFolder_.isEmpty() || !QFileInfo(materialFolder_).isDir()) materialFolder_ = QDir::homePath();

  folders_ = new QListWidget(this);
  folders_->setIconSize(QSize(16, 16));
  for (const TMaterialFolder& f : ResourceFolders())
    folders_->addItem(new QListWidgetItem(FolderIcon(style(), f.kind), QString::fromLatin1(f.name)));
  // Every folder shows without scrolling.
  folders_->setFixedWidth(folders_->sizeHintForColumn(0) + 24);
  folders_->setMinimumHeight(folders_->sizeHintForRow(0) * folders_->count() + 2 * folders_->frameWidth() + 4);
  entries_ = new QListWidget(this);
  entries_->setMinimumWidth(220);

  import_ = new QPushButton("Import", this);
  export_ = new QPushButton("Export", this);
  delete_ = new QPushButton("Delete", this);
  import_->setShortcut(QKeySequence("Ctrl+I"));
  export_->setShortcut(QKeySequence("Ctrl+E"));
  delete_->setShortcut(QKeySequence(QKeySequence::Delete));
  import_->setToolTip("Bring a file into the selected folder (Ctrl+I)");
  export_->setToolTip("Write the selected material to a file (Ctrl+E)");
  delete_->setToolTip("Delete the selected material from the project (Del)");
  importAs_ = new QGroupBox("Import as", this);
  importAsChoice_ = new QButtonGroup(this);
  auto* png = new QRadioButton("PNG Image", importAs_);
  auto* xyz = new QRadioButton("XYZ Image", importAs_);
  importAsChoice_->addButton(png, static_cast<int>(TImportFormat::Png));
  importAsChoice_->addButton(xyz, static_cast<int>(TImportFormat::Xyz));
  auto* asColumn = new QVBoxLayout(importAs_);
  asColumn->addWidget(png);
  asColumn->addWidget(xyz);
  auto* close = new QPushButton("Close", this);
  auto* help = new QPushButton("Help", this);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(import_);
  buttons->addWidget(export_);
  buttons->addWidget(delete_);
  buttons->addSpacing(12);
  buttons->addWidget(importAs_);
  buttons->addStretch(1);
  buttons->addWidget(close);
  buttons->addWidget(help);
  auto* row = new QHBoxLayout(this);
  row->addWidget(folders_);
  row->addWidget(entries_, 1);
  row->addLayout(buttons);

  connect(folders_, &QListWidget::currentRowChanged, this, [this] { RefreshEntries(); });
  connect(entries_, &QListWidget::currentRowChanged, this, &TFormMaterialBase::UpdateButtons);
  connect(import_, &QPushButton::clicked, this, &TFormMaterialBase::Import);
  connect(export_, &QPushButton::clicked, this, &TFormMaterialBase::Export);
  connect(delete_, &QPushButton::clicked, this, &TFormMaterialBase::Delete);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(help, &QPushButton::clicked, this, [this] { OpenManualPage(this, kResourceManagerPage); });
  connect(importAsChoice_, &QButtonGroup::idClicked, this,
          [](int id) { rememberedImportAs = static_cast<TImportFormat>(id); });

  SetImportAs(rememberedImportAs);
  SelectFolder(rememberedFolder);
  resize(620, 460);
}

TFormMaterialBase::~TFormMaterialBase() {
  settings_.SetMaterialPath(ToPath(materialFolder_));
  rememberedFolder = FolderIndex();
}

int TFormMaterialBase::FolderIndex() const { return std::max(folders_->currentRow(), 0); }

void TFormMaterialBase::SelectFolder(int index) {
  index = std::clamp(index, 0, static_cast<int>(ResourceFolders().size()) - 1);
  if (folders_->currentRow() == index)
    RefreshEntries();
  else
    folders_->setCurrentRow(index);
}

QStringList TFormMaterialBase::Entries() const {
  QStringList list;
  for (int i = 0; i < entries_->count(); ++i) list << entries_->item(i)->text();
  return list;
}

QString TFormMaterialBase::SelectedEntry() const {
  const QListWidgetItem* item = entries_->currentItem();
  return item && item->isSelected() ? item->text() : QString();
}

void TFormMaterialBase::SelectEntry(const QString& entry) {
  const QList<QListWidgetItem*> found = entries_->findItems(entry, Qt::MatchExactly);
  if (found.isEmpty()) return;
  entries_->setCurrentItem(found.first());
  // The entry stands a few lines below the top, so what comes before it shows too.
  const int row = entries_->row(found.first());
  entries_->scrollToItem(entries_->item(std::max(0, row - kLinesAboveImported)), QAbstractItemView::PositionAtTop);
}

TImportFormat TFormMaterialBase::ImportAs() const { return static_cast<TImportFormat>(importAsChoice_->checkedId()); }

void TFormMaterialBase::SetImportAs(TImportFormat format) {
  importAsChoice_->button(static_cast<int>(format))->setChecked(true);
  rememberedImportAs = format;
}

std::string TFormMaterialBase::Entry() const { return ToPath(SelectedEntry()); }

void TFormMaterialBase::RefreshEntries(const QString& select) {
  entries_->clear();
  for (const std::string& entry : manager_.Entries(FolderIndex())) entries_->addItem(FromPath(entry));
  if (!select.isEmpty()) SelectEntry(select);
  UpdateButtons();
}

void TFormMaterialBase::UpdateButtons() {
  const QString entry = SelectedEntry();
  export_->setEnabled(!entry.isEmpty());
  delete_->setEnabled(!entry.isEmpty() && !IsRuntimePackageEntry(ToPath(entry)));
  importAs_->setEnabled(ResourceFolders()[static_cast<size_t>(FolderIndex())].kind == TMaterialKind::Picture);
}

void TFormMaterialBase::Import() {
  const int folder = FolderIndex();
  const TMaterialFolder& kind = ResourceFolders()[static_cast<size_t>(folder)];
  const QString file = dialogs_->ChooseImportFile(this, kind, materialFolder_);
  if (file.isEmpty()) return;
  materialFolder_ = QFileInfo(file).absolutePath();
  TMaterialManager::TImportChoices choices;
  choices.convertToPalette = [&](int colours) {
    const QString text = QString(
                             "\"%1\" is a true-colour picture of %2 colours. Convert it to a 256-colour palette "
                             "picture?")
                             .arg(QFileInfo(file).fileName())
                             .arg(colours);
    return AskYesNo(text.toStdString(), MessageOwner(this)) == TMessageResult::Yes;
  };
  choices.chooseTransparent = [&](const TBitmap& picture) { return dialogs_->ChooseTransparent(this, picture); };
  Guarded([&] {
    std::optional<std::string> imported;
    if (kind.kind == TMaterialKind::Picture) {
      imported = manager_.Import(folder, ToPath(file), ImportAs(), choices);
    } else {
      // Movies can be large; the copy shows the wait cursor.
      TWaitCursor wait;
      imported = manager_.Import(folder, ToPath(file), ImportAs(), choices);
    }
    if (imported) RefreshEntries(FromPath(*imported));
  });
}

void TFormMaterialBase::Guarded(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::bad_alloc&) {
    ShowError("Insufficient memory.", MessageOwner(this));
  } catch (const std::exception& e) {
    ShowError(e.what(), MessageOwner(this));
  }
}

void TFormMaterialBase::Export() {
  const std::string entry = Entry();
  if (entry.empty()) return;
  const int folder = FolderIndex();
  const TMaterialFolder& kind = ResourceFolders()[static_cast<size_t>(folder)];
  const std::string file = manager_.Locate(folder, entry);
  const QString name = FromPath(StripRuntimePackageMark(entry));
  const QString destination = dialogs_->ChooseExportFile(this, kind, materialFolder_, name, ExtensionOf(file));
  if (destination.isEmpty()) return;
  materialFolder_ = QFileInfo(destination).absolutePath();
  Guarded([&] {
    TWaitCursor wait;
    manager_.Export(folder, entry, ToPath(destination));
  });
}

void TFormMaterialBase::Delete() {
  const std::string entry = Entry();
  if (entry.empty() || IsRuntimePackageEntry(entry)) return;
  const auto result = manager_.Delete(FolderIndex(), entry, [this](const std::string& fileName) {
    return AskYesNoDestructive("Are you sure you want to delete '" + fileName + "'?", MessageOwner(this)) ==
           TMessageResult::Yes;
  });
  if (result == TMaterialManager::TDeleteResult::Deleted) RefreshEntries();
  if (result == TMaterialManager::TDeleteResult::Failed) ShowError(kCouldNotDeleteFile, MessageOwner(this));
}

}  // namespace tess
