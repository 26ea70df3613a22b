#pragma once
// "Open Shop Window": the shop type, the message set, "Define Custom Handlers" (which adds the two
// transaction branches), and the goods: the items of the database on the right, the shop's goods
// on the left, moved with "< Add" and "Remove >" (or a double click). Goods are written only for
// the shops that sell them (buy and sell, buy only); goods that name no item any more are listed
// as missing and kept.

#include <vector>

#include "ui/script/FormEvCmdBase.h"

class QListWidget;
class QPushButton;

namespace tess {

class TFormEvCmd10720 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd10720(const TLcfEventScriptList& lines, TCommandDialogContext& context);

  const std::vector<int32_t>& Goods() const { return goods_; }
  // What the buttons do: adds the item selected on the right; removes the goods selected on the left.
  void AddItem(int32_t itemId);
  void RemoveAt(int row);
  QListWidget* GoodsList() const { return goodsList_; }
  QListWidget* ItemList() const { return itemList_; }

 protected:
  TLcfEventScriptLine OpeningLine() override;

 private:
  void ShowGoods();
  void UpdateEnabled();
  std::vector<int32_t> goods_;
  bool goodsChanged_ = false;
  QListWidget* goodsList_ = nullptr;
  QListWidget* itemList_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
};

}  // namespace tess
