#include "editor/events/FormEvCmd10720.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/EntryCaption.h"
#include "database/DataBaseObj.h"
#include "platform/TextCodec.h"

namespace tess {

namespace {

// The parameters before the goods.
constexpr int kGoodsFrom = 4;
// The shop types that sell goods: buy and sell (0), buy only (1).
bool SellsGoods(int32_t type) { return type == 0 || type == 1; }

QString ItemCaption(const TLcfDataBase& database, int32_t id) {
  const TCatalogItem* item = database.items.FindById(id);
  return item ? TextCodec::Current().ToUnicode(EntryCaption(id, item->name))
              : QString::asprintf("%.4d:? (missing)", id);
}

}  // namespace

TFormEvCmd10720::TFormEvCmd10720(const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(10720, lines, context) {
  if (lines.Count() > 0)
    for (int i = kGoodsFrom; i < lines.LineAt(0)->ParamCount(); ++i) goods_.push_back(lines.LineAt(0)->Param(i));

  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  for (const char* key : {"type", "messages"}) {
    const TFieldRow& row = *form_.FindRow(key);
    top->addWidget(binder_->Build(row, AccessOf(row), this));
  }
  layout->addLayout(top);
  const TFieldRow& handlers = *form_.FindRow("handlers");
  layout->addWidget(binder_->Build(handlers, AccessOf(handlers), this));

  auto* goodsBox = new QGroupBox("Goods", this);
  auto* grid = new QGridLayout(goodsBox);
  goodsList_ = new QListWidget(goodsBox);
  goodsList_->setObjectName("Goods");
  itemList_ = new QListWidget(goodsBox);
  itemList_->setObjectName("Items");
  add_ = new QPushButton("< Add", goodsBox);
  add_->setObjectName("Add");
  remove_ = new QPushButton("Remove >", goodsBox);
  remove_->setObjectName("Remove");
  auto* buttons = new QVBoxLayout;
  buttons->addStretch();
  buttons->addWidget(add_);
  buttons->addWidget(remove_);
  buttons->addStretch();
  grid->addWidget(new QLabel("Goods for Sale", goodsBox), 0, 0);
  grid->addWidget(new QLabel("Items", goodsBox), 0, 2);
  grid->addWidget(goodsList_, 1, 0);
  grid->addLayout(buttons, 1, 1);
  grid->addWidget(itemList_, 1, 2);
  layout->addWidget(goodsBox, 1);
  AddButtons(layout);

  const TLcfDataBase& database = context_.converter.Database();
  for (int i = 0; i < database.items.Count(); ++i) {
    const TCatalogItem* item = database.items.ItemAt(i);
    auto* entry = new QListWidgetItem(TextCodec::Current().ToUnicode(EntryCaption(item->Id(), item->name)), itemList_);
    entry->setData(Qt::UserRole, item->Id());
  }
  if (itemList_->count() > 0) itemList_->setCurrentRow(0);
  auto addSelected = [this] {
    if (QListWidgetItem* item = itemList_->currentItem()) AddItem(item->data(Qt::UserRole).toInt());
  };
  connect(add_, &QPushButton::clicked, this, addSelected);
  connect(itemList_, &QListWidget::itemDoubleClicked, this, addSelected);
  connect(remove_, &QPushButton::clicked, this, [this] { RemoveAt(goodsList_->currentRow()); });
  connect(goodsList_, &QListWidget::itemDoubleClicked, this, [this] { RemoveAt(goodsList_->currentRow()); });
  connect(binder_, &TFieldBinder::changed, this, [this] { UpdateEnabled(); });
  binder_->Load();
  ShowGoods();
  UpdateEnabled();
  resize(520, 440);
}

void TFormEvCmd10720::ShowGoods() {
  const TLcfDataBase& database = context_.converter.Database();
  const int row = goodsList_->currentRow();
  goodsList_->clear();
  for (int32_t id : goods_) goodsList_->addItem(ItemCaption(database, id));
  goodsList_->setCurrentRow(std::min(row, goodsList_->count() - 1));
}

void TFormEvCmd10720::UpdateEnabled() {
  const bool sells = SellsGoods(form_.Value("type"));
  for (QWidget* w : std::initializer_list<QWidget*>{goodsList_, itemList_, add_, remove_}) w->setEnabled(sells);
}

void TFormEvCmd10720::AddItem(int32_t itemId) {
  goods_.push_back(itemId);
  goodsChanged_ = true;
  ShowGoods();
  goodsList_->setCurrentRow(goodsList_->count() - 1);
}

void TFormEvCmd10720::RemoveAt(int row) {
  if (row < 0 || row >= static_cast<int>(goods_.size())) return;
  goods_.erase(goods_.begin() + row);
  goodsChanged_ = true;
  ShowGoods();
}

TLcfEventScriptLine TFormEvCmd10720::OpeningLine() {
  const bool touched = form_.Changed() || goodsChanged_;
  TLcfEventScriptLine line = form_.Accept();
  if (!touched) return line;
  // Written again from what the window shows: the four settings, then the goods of a shop that
  // sells them.
  line.SetParamCount(kGoodsFrom);
  if (SellsGoods(line.Param(0))) line.params.insert(line.params.end(), goods_.begin(), goods_.end());
  return line;
}

}  // namespace tess
