#include "editor/maps/FormMapEvents.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editor/maps/FormMapEditor.h"
#include "maps/MapEventList.h"
#include "platform/TextCodec.h"
#include "project/ProjectDocument.h"

namespace tess {

namespace {

enum TColumn { kId, kName, kPosition, kPages, kTrigger, kGraphic, kColumnCount };

QString Local(const std::string& s) { return TextCodec::Current().ToUnicode(s); }

}  // namespace

TFormMapEvents::TFormMapEvents(TProjectDocument& document, TFormMapEditor& editor, QWidget* parent)
    : QDockWidget("Map Events", parent), document_(document), editor_(editor) {
  setObjectName("MapEventsDock");
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(2, 2, 2, 2);
  filter_ = new QLineEdit(body);
  filter_->setObjectName("MapEventsFilter");
  filter_->setPlaceholderText("Filter");
  filter_->setClearButtonEnabled(true);
  layout->addWidget(filter_);
  list_ = new QTreeWidget(body);
  list_->setObjectName("MapEventsList");
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAllColumnsShowFocus(true);
  list_->setHeaderLabels({"ID", "Name", "Position", "Pages", "Trigger", "Graphic"});
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  layout->addWidget(list_, 1);
  setWidget(body);

  connect(filter_, &QLineEdit::textChanged, this, [this] { Refill(); });
  filter_->installEventFilter(this);
  connect(list_, &QTreeWidget::currentItemChanged, this, [this] {
    if (!filling_) CentreOnCurrent();
  });
  connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (visible) Refill();
  });
  connect(list_, &QTreeWidget::itemActivated, this, [this] { EditCurrent(); });
  connect(&editor_, &TFormMapViewer::CursorMoved, this, [this] { FollowCursor(); });
  connections_[0] = document_.mapChanged.Connect([this] { Refill(); });
  connections_[1] = document_.projectOpened.Connect([this] { Refill(); });
  connections_[2] = document_.projectClosed.Connect([this] { Refill(); });
  Refill();
}

TFormMapEvents::~TFormMapEvents() {
  document_.mapChanged.Disconnect(connections_[0]);
  document_.projectOpened.Disconnect(connections_[1]);
  document_.projectClosed.Disconnect(connections_[2]);
}

void TFormMapEvents::Refill() {
  // A hidden pane is filled when it is shown again.
  if (!isVisible()) return;
  const int32_t chosen = CurrentId();
  const TextCodec& codec = TextCodec::Current();
  const QString text = filter_->text();
  ++filling_;
  list_->clear();
  // A filter the code page cannot hold matches no stored name; it still finds ids and triggers.
  const std::string filter = codec.CanEncode(text) ? codec.FromUnicode(text) : text.toStdString();
  if (document_.IsOpen()) {
    QList<QTreeWidgetItem*> items;
    for (const TMapEventRow& row : ListMapEvents(document_.Map(), filter)) {
      auto* item = new QTreeWidgetItem;
      item->setData(kId, Qt::UserRole, row.id);
      item->setText(kId, QString::asprintf("%.4d", static_cast<int>(row.id)));
      item->setText(kName, Local(row.name));
      item->setText(kPosition, QString::asprintf("%d, %d", static_cast<int>(row.x), static_cast<int>(row.y)));
      item->setText(kPages, QString::number(row.pages));
      item->setTextAlignment(kPages, Qt::AlignRight | Qt::AlignVCenter);
      item->setText(kTrigger, QString::fromStdString(row.trigger));
      item->setText(kGraphic, Local(row.graphic));
      items.append(item);
    }
    list_->addTopLevelItems(items);
  }
  for (int i = 0; i < list_->topLevelItemCount(); ++i)
    if (list_->topLevelItem(i)->data(kId, Qt::UserRole).toInt() == chosen) {
      list_->setCurrentItem(list_->topLevelItem(i));
      break;
    }
  --filling_;
}

int32_t TFormMapEvents::CurrentId() const {
  const QTreeWidgetItem* item = list_->currentItem();
  return item ? item->data(kId, Qt::UserRole).toInt() : 0;
}

bool TFormMapEvents::Choose(int32_t id) {
  for (int i = 0; i < list_->topLevelItemCount(); ++i)
    if (list_->topLevelItem(i)->data(kId, Qt::UserRole).toInt() == id) {
      if (list_->currentItem() == list_->topLevelItem(i))
        CentreOnCurrent();
      else
        list_->setCurrentItem(list_->topLevelItem(i));
      return true;
    }
  return false;
}

void TFormMapEvents::CentreOnCurrent() {
  const TLcfEventItem* event = document_.IsOpen() ? document_.Map().events.FindById(CurrentId()) : nullptr;
  if (!event) return;
  const TCellPoint cell{event->x, event->y};
  // In the event mode the cursor goes there too, so that the map editor's keys act on the event.
  ++filling_;
  if (document_.EditMode() != TEditMode::Event || !editor_.CentreCursorOn(cell)) editor_.CentreViewOn(cell);
  --filling_;
}

bool TFormMapEvents::EditCurrent() {
  const int32_t id = CurrentId();
  if (id <= 0 || !document_.CanEditMap()) return false;
  CentreOnCurrent();
  return editor_.EventManager().EditEventById(id);
}

void TFormMapEvents::FollowCursor() {
  if (filling_ || document_.EditMode() != TEditMode::Event || !document_.IsOpen()) return;
  const TCellPoint cell = document_.Editor().Cursor();
  const int32_t id = editor_.EventManager().FindObjectAt(cell.x, cell.y);
  if (id <= 0 || id > kMaxMapEventId || id == CurrentId()) return;
  ++filling_;
  for (int i = 0; i < list_->topLevelItemCount(); ++i)
    if (list_->topLevelItem(i)->data(kId, Qt::UserRole).toInt() == id) {
      list_->setCurrentItem(list_->topLevelItem(i));
      list_->scrollToItem(list_->topLevelItem(i));
    }
  --filling_;
}

bool TFormMapEvents::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    // From the filter box, Down and Enter go on to the list.
    if (watched == filter_ && (key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) &&
        list_->topLevelItemCount() > 0) {
      list_->setFocus();
      if (!list_->currentItem()) list_->setCurrentItem(list_->topLevelItem(0));
      return true;
    }
  }
  return QDockWidget::eventFilter(watched, event);
}

}  // namespace tess
