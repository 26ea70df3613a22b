#include "editor/events/FormFindResult.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/Errors.h"
#include "core/FieldRow.h"
#include "editor/events/FormSelFind.h"
#include "platform/SearchText.h"
#include "platform/TextCodec.h"
#include "project/ProjectDocument.h"
#include "ui/FieldBinder.h"

namespace tess {

namespace {

constexpr const char* kKindCaptions[] = {"Variable", "Switch", "Event Name", "Text"};
constexpr const char* kScopeCaptions[] = {"Current Map", "Common Events", "All Maps and Common Events"};
constexpr const char* kPageCaptions[] = {"Variables", "Switches", "Event Names", "Text"};

constexpr TFieldRow kTextRows[] = {
    {.key = "EventName", .kind = TFieldKind::Text, .caption = "Event Name"},
    {.key = "SearchText", .kind = TFieldKind::Text, .caption = "Text"},
};

}  // namespace

TFormFindResult::TFormFindResult(TProjectDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document) {
  setObjectName("FormFindResult");
  setWindowTitle("Event Search");
  BuildControls();
  UpdateControls();
  resize(520, 520);
}

TFormFindResult::~TFormFindResult() = default;

void TFormFindResult::BuildControls() {
  auto* parameters = new QGroupBox("Search Parameters", this);
  auto* grid = new QGridLayout(parameters);
  auto* kinds = new QButtonGroup(this);
  for (int i = 0; i < kKinds; ++i) {
    kindButtons_[i] = new QRadioButton(kKindCaptions[i], parameters);
    kindButtons_[i]->setObjectName(QString("Kind%1").arg(i));
    kinds->addButton(kindButtons_[i], i);
    grid->addWidget(kindButtons_[i], i, 0);
  }
  connect(kinds, &QButtonGroup::idClicked, this, [this](int id) {
    if (updating_) return;
    kind_ = static_cast<TSearchKind>(id);
    UpdateControls();
  });
  variableButton_ = new QPushButton(parameters);
  variableButton_->setObjectName("VariableButton");
  switchButton_ = new QPushButton(parameters);
  switchButton_->setObjectName("SwitchButton");
  connect(variableButton_, &QPushButton::clicked, this, [this] { ChooseVariable(); });
  connect(switchButton_, &QPushButton::clicked, this, [this] { ChooseSwitch(); });
  nameEdit_ = new QLineEdit(parameters);
  textEdit_ = new QLineEdit(parameters);
  grid->addWidget(variableButton_, 0, 1);
  grid->addWidget(switchButton_, 1, 1);
  grid->addWidget(nameEdit_, 2, 1);
  grid->addWidget(textEdit_, 3, 1);
  grid->setColumnStretch(1, 1);
  // The two texts are the project's text: the binder keeps them in its code page.
  binder_ = new TFieldBinder(kTextRows, {}, this);
  TFieldAccess name, text;
  name.text = [this] { return eventName_; };
  name.setText = [this](const std::string& t) { eventName_ = t; };
  text.text = [this] { return text_; };
  text.setText = [this](const std::string& t) { text_ = t; };
  binder_->Attach(kTextRows[0], nameEdit_, std::move(name));
  binder_->Attach(kTextRows[1], textEdit_, std::move(text));
  connect(binder_, &TFieldBinder::changed, this, [this] { UpdateControls(); });
  connect(nameEdit_, &QLineEdit::returnPressed, this, [this] { searchButton_->click(); });
  connect(textEdit_, &QLineEdit::returnPressed, this, [this] { searchButton_->click(); });

  auto* scopeBox = new QGroupBox("Search Scope", this);
  auto* scopeLayout = new QVBoxLayout(scopeBox);
  auto* scopes = new QButtonGroup(this);
  for (int i = 0; i < kScopes; ++i) {
    scopeButtons_[i] = new QRadioButton(kScopeCaptions[i], scopeBox);
    scopeButtons_[i]->setObjectName(QString("Scope%1").arg(i));
    scopes->addButton(scopeButtons_[i], i);
    scopeLayout->addWidget(scopeButtons_[i]);
  }
  connect(scopes, &QButtonGroup::idClicked, this, [this](int id) {
    if (updating_) return;
    scope_ = static_cast<TSearchScope>(id);
    UpdateControls();
  });

  auto* results = new QGroupBox("Results", this);
  auto* resultsLayout = new QVBoxLayout(results);
  pages_ = new QTabWidget(results);
  for (int i = 0; i < kKinds; ++i) {
    lists_[i] = new QListWidget(pages_);
    lists_[i]->setObjectName(QString("Results%1").arg(i));
    lists_[i]->setToolTip("Double-click a line to go there");
    connect(lists_[i], &QListWidget::itemDoubleClicked, this,
            [this, i](QListWidgetItem* item) { OpenResult(static_cast<TSearchKind>(i), lists_[i]->row(item)); });
    pages_->addTab(lists_[i], kPageCaptions[i]);
  }
  connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
    if (!updating_) page_ = index;
  });
  resultsLayout->addWidget(pages_);

  searchButton_ = new QPushButton("Search", this);
  searchButton_->setObjectName("Search");
  searchButton_->setDefault(true);
  closeButton_ = new QPushButton("Close", this);
  closeButton_->setObjectName("Close");
  connect(searchButton_, &QPushButton::clicked, this, [this] { Search(); });
  connect(closeButton_, &QPushButton::clicked, this, [this] { CloseWindow(); });

  auto* top = new QHBoxLayout;
  top->addWidget(parameters, 3);
  top->addWidget(scopeBox, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(searchButton_);
  buttons->addWidget(closeButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(results, 1);
  layout->addLayout(buttons);
}

QString TFormFindResult::EntryCaption(const TCatalog& list, int32_t id) {
  const TCatalogItem* item = list.FindById(id);
  if (!item) return "?";
  return QString::fromStdString(SearchEntryText(id, "")) +
         (item->name.empty() ? QString() : ":" + TextCodec::Current().ToUnicode(item->name));
}

void TFormFindResult::UpdateControls() {
  updating_ = true;
  const int kind = static_cast<int>(kind_);
  kindButtons_[kind]->setChecked(true);
  variableButton_->setEnabled(kind_ == TSearchKind::Variable);
  switchButton_->setEnabled(kind_ == TSearchKind::Switch);
  nameEdit_->setEnabled(kind_ == TSearchKind::EventName);
  textEdit_->setEnabled(kind_ == TSearchKind::Text);
  scopeButtons_[static_cast<int>(TSearchScope::CommonEvents)]->setEnabled(true);
  scopeButtons_[static_cast<int>(scope_)]->setChecked(true);
  searchButton_->setEnabled(document_.IsOpen());
  variableButton_->setText(EntryCaption(document_.DataBase().variables, variableId_));
  switchButton_->setText(EntryCaption(document_.DataBase().switches, switchId_));
  binder_->Load();
  if (kind_ == TSearchKind::EventName) {
    // Event names stand only on maps; the scope's check mark stays as it is.
    scopeButtons_[static_cast<int>(TSearchScope::CommonEvents)]->setEnabled(false);
    if (eventName_.empty()) searchButton_->setEnabled(false);
  }
  if (kind_ == TSearchKind::Text && text_.empty()) searchButton_->setEnabled(false);
  pages_->setCurrentIndex(page_);
  updating_ = false;
}

void TFormFindResult::SetKind(TSearchKind kind) {
  kind_ = kind;
  UpdateControls();
}

void TFormFindResult::SetScope(TSearchScope scope) {
  scope_ = scope;
  UpdateControls();
}

void TFormFindResult::SetVariableId(int32_t id) {
  variableId_ = id;
  UpdateControls();
}

void TFormFindResult::SetSwitchId(int32_t id) {
  switchId_ = id;
  UpdateControls();
}

void TFormFindResult::SetEventName(const std::string& name) {
  eventName_ = name;
  UpdateControls();
}

void TFormFindResult::SetSearchText(const std::string& text) {
  text_ = text;
  UpdateControls();
}

void TFormFindResult::ChooseVariable() {
  TFormSelFindVariable finder(document_.DataBase().variables, this);
  finder.move(pos() + QPoint(16, 16));
  if (finder.exec() == QDialog::Accepted) variableId_ = finder.Choice();
  UpdateControls();
}

void TFormFindResult::ChooseSwitch() {
  TFormSelFindSwitch finder(document_.DataBase().switches, this);
  finder.move(pos() + QPoint(16, 16));
  if (finder.exec() == QDialog::Accepted) switchId_ = finder.Choice();
  UpdateControls();
}

void TFormFindResult::Search() {
  if (!document_.IsOpen()) return;
  if (kind_ == TSearchKind::EventName && eventName_.empty()) return;
  if (kind_ == TSearchKind::Text && text_.empty()) return;
  // Unsaved edits of the map being edited go to its work copy first, so the scan sees them.
  try {
    document_.StoreCurrentMap();
  } catch (const ETessError& e) {
    QMessageBox::warning(this, windowTitle(),
                         QString("The current map's edits could not be kept for the search; it reads the map as "
                                 "last stored.\n\n") +
                             QString::fromStdString(e.what()));
  }
  TSearchQuery query;
  query.kind = kind_;
  query.id = kind_ == TSearchKind::Variable ? variableId_ : switchId_;
  query.text = kind_ == TSearchKind::Text ? text_ : eventName_;
  query.scope = scope_;
  query.currentMapId = document_.MapTree().currentId;
  const TextCodec& codec = TextCodec::Current();
  const TSearchSource source{&document_.DataBase(), &document_.MapTree(), document_.ProjectPath(),
                             document_.ScratchPath(), CaseFoldOf(codec)};

  std::unique_ptr<QProgressDialog> progress;
  if (showProgress && scope_ == TSearchScope::AllMaps) {
    progress = std::make_unique<QProgressDialog>("Searching the maps...", "Cancel", 0, 1, this);
    progress->setWindowTitle(windowTitle());
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(300);
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const TSearchResult result = RunEventSearch(source, query, [&](int done, int total) {
    if (onProgress && !onProgress(done, total)) return false;
    if (!progress) return true;
    progress->setMaximum(std::max(1, total));
    progress->setValue(done);
    QApplication::processEvents();
    return !progress->wasCanceled();
  });
  QApplication::restoreOverrideCursor();
  progress.reset();

  const int kind = static_cast<int>(kind_);
  results_[kind] = result.Lines();
  QListWidget* list = lists_[kind];
  list->clear();
  for (const TSearchHit& hit : results_[kind]) {
    auto* item = new QListWidgetItem(codec.ToUnicode(hit.text), list);
    if (hit.place.kind == TSearchPlace::TKind::None)
      item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
  }
  page_ = kind;
  UpdateControls();
}

void TFormFindResult::OpenResult(TSearchKind kind, int row) {
  const std::vector<TSearchHit>& hits = results_[static_cast<int>(kind)];
  if (row < 0 || row >= static_cast<int>(hits.size())) return;
  const TSearchPlace& place = hits[static_cast<size_t>(row)].place;
  if (place.kind != TSearchPlace::TKind::None && onOpenPlace && document_.IsOpen()) onOpenPlace(place);
}

}  // namespace tess
