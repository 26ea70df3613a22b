#include "editor/database/FormEDVocabulary.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>
#include <span>

#include "database/DataBaseObj.h"
#include "ui/FieldBinder.h"

namespace tess {

namespace {

using K = TFieldKind;

// Each row edits the vocabulary text whose chunk id is its index. A row without a caption
// continues the line above it (the texts before and after an amount); a caption of one space
// starts a line of its own under the same caption.
constexpr TFieldRow kBattle[] = {
    {.key = "38", .kind = K::Text, .caption = "Message at the Beginning of Each Battle", .max = 50, .index = 38},
    {.key = "2", .kind = K::Text, .caption = "Initiative Message", .max = 50, .index = 2},
    {.key = "39", .kind = K::Text, .caption = "\"Miss\" Message", .max = 50, .index = 39},
    {.key = "4", .kind = K::Text, .caption = "Escape Failure Message", .max = 50, .index = 4},
    {.key = "5", .kind = K::Text, .caption = "Victory Message", .max = 50, .index = 5},
    {.key = "6", .kind = K::Text, .caption = "Defeat Message", .max = 50, .index = 6},
    {.key = "7", .kind = K::Text, .caption = "Experience Gain Message", .max = 50, .index = 7},
    {.key = "8", .kind = K::Text, .caption = "Money Acquisition Message", .max = 50, .index = 8},
    {.key = "9", .kind = K::Text, .caption = "", .max = 50, .index = 9},
    {.key = "10", .kind = K::Text, .caption = "Item Discovery Message", .max = 50, .index = 10},
};
constexpr TFieldRow kLevelUp[] = {
    {.key = "36", .kind = K::Text, .caption = "Level Up", .max = 50, .index = 36},
    {.key = "37", .kind = K::Text, .caption = "Skill Learned", .max = 50, .index = 37},
};
constexpr TFieldRow kShopA[] = {
    {.key = "41", .kind = K::Text, .caption = "Greeting", .max = 50, .index = 41},
    {.key = "42", .kind = K::Text, .caption = "After One Transaction", .max = 50, .index = 42},
    {.key = "43", .kind = K::Text, .caption = "Buy", .max = 12, .index = 43},
    {.key = "44", .kind = K::Text, .caption = "Sell", .max = 12, .index = 44},
    {.key = "45", .kind = K::Text, .caption = "Finished", .max = 12, .index = 45},
    {.key = "46", .kind = K::Text, .caption = "Choosing an Item to Buy", .max = 50, .index = 46},
    {.key = "47", .kind = K::Text, .caption = "Choosing How Many to Buy", .max = 50, .index = 47},
    {.key = "48", .kind = K::Text, .caption = "Buy Transaction Completed", .max = 50, .index = 48},
    {.key = "49", .kind = K::Text, .caption = "Choosing an Item to Sell", .max = 50, .index = 49},
    {.key = "50", .kind = K::Text, .caption = "Choosing How Many to Sell", .max = 50, .index = 50},
    {.key = "51", .kind = K::Text, .caption = "Sell Transaction Completed", .max = 50, .index = 51},
};
constexpr TFieldRow kShopB[] = {
    {.key = "54", .kind = K::Text, .caption = "Greeting", .max = 50, .index = 54},
    {.key = "55", .kind = K::Text, .caption = "After One Transaction", .max = 50, .index = 55},
    {.key = "56", .kind = K::Text, .caption = "Buy", .max = 12, .index = 56},
    {.key = "57", .kind = K::Text, .caption = "Sell", .max = 12, .index = 57},
    {.key = "58", .kind = K::Text, .caption = "Finished", .max = 12, .index = 58},
    {.key = "59", .kind = K::Text, .caption = "Choosing an Item to Buy", .max = 50, .index = 59},
    {.key = "60", .kind = K::Text, .caption = "Choosing How Many to Buy", .max = 50, .index = 60},
    {.key = "61", .kind = K::Text, .caption = "Buy Transaction Completed", .max = 50, .index = 61},
    {.key = "62", .kind = K::Text, .caption = "Choosing an Item to Sell", .max = 50, .index = 62},
    {.key = "63", .kind = K::Text, .caption = "Choosing How Many to Sell", .max = 50, .index = 63},
    {.key = "64", .kind = K::Text, .caption = "Sell Transaction Completed", .max = 50, .index = 64},
};
constexpr TFieldRow kShopC[] = {
    {.key = "67", .kind = K::Text, .caption = "Greeting", .max = 50, .index = 67},
    {.key = "68", .kind = K::Text, .caption = "After One Transaction", .max = 50, .index = 68},
    {.key = "69", .kind = K::Text, .caption = "Buy", .max = 12, .index = 69},
    {.key = "70", .kind = K::Text, .caption = "Sell", .max = 12, .index = 70},
    {.key = "71", .kind = K::Text, .caption = "Finished", .max = 12, .index = 71},
    {.key = "72", .kind = K::Text, .caption = "Choosing an Item to Buy", .max = 50, .index = 72},
    {.key = "73", .kind = K::Text, .caption = "Choosing How Many to Buy", .max = 50, .index = 73},
    {.key = "74", .kind = K::Text, .caption = "Buy Transaction Completed", .max = 50, .index = 74},
    {.key = "75", .kind = K::Text, .caption = "Choosing an Item to Sell", .max = 50, .index = 75},
    {.key = "76", .kind = K::Text, .caption = "Choosing How Many to Sell", .max = 50, .index = 76},
    {.key = "77", .kind = K::Text, .caption = "Sell Transaction Completed", .max = 50, .index = 77},
};
constexpr TFieldRow kInnA[] = {
    {.key = "80", .kind = K::Text, .caption = "Innkeeper Message", .max = 50, .index = 80},
    {.key = "81", .kind = K::Text, .caption = "", .max = 50, .index = 81},
    {.key = "82", .kind = K::Text, .caption = " ", .max = 50, .index = 82},
    {.key = "83", .kind = K::Text, .caption = "Accept", .max = 12, .index = 83},
    {.key = "84", .kind = K::Text, .caption = "Decline", .max = 12, .index = 84},
};
constexpr TFieldRow kInnB[] = {
    {.key = "85", .kind = K::Text, .caption = "Innkeeper Message", .max = 50, .index = 85},
    {.key = "86", .kind = K::Text, .caption = "", .max = 50, .index = 86},
    {.key = "87", .kind = K::Text, .caption = " ", .max = 50, .index = 87},
    {.key = "88", .kind = K::Text, .caption = "Accept", .max = 12, .index = 88},
    {.key = "89", .kind = K::Text, .caption = "Decline", .max = 12, .index = 89},
};
constexpr TFieldRow kItems[] = {
    {.key = "92", .kind = K::Text, .caption = "Items Possessed", .max = 12, .index = 92},
    {.key = "93", .kind = K::Text, .caption = "Item Equipped", .max = 12, .index = 93},
    {.key = "95", .kind = K::Text, .caption = "Currency", .max = 4, .index = 95},
};
constexpr TFieldRow kCommands[] = {
    {.key = "101", .kind = K::Text, .caption = "Fight", .max = 12, .index = 101},
    {.key = "102", .kind = K::Text, .caption = "Auto-Fight", .max = 12, .index = 102},
    {.key = "103", .kind = K::Text, .caption = "Escape", .max = 12, .index = 103},
    {.key = "106", .kind = K::Text, .caption = "Item", .max = 12, .index = 106},
    {.key = "107", .kind = K::Text, .caption = "Skill", .max = 12, .index = 107},
    {.key = "108", .kind = K::Text, .caption = "Equip", .max = 12, .index = 108},
    {.key = "110", .kind = K::Text, .caption = "Save", .max = 12, .index = 110},
    {.key = "112", .kind = K::Text, .caption = "Quit", .max = 12, .index = 112},
    {.key = "114", .kind = K::Text, .caption = "New Game", .max = 12, .index = 114},
    {.key = "115", .kind = K::Text, .caption = "Load Game", .max = 12, .index = 115},
    {.key = "117", .kind = K::Text, .caption = "End Game", .max = 12, .index = 117},
    {.key = "118", .kind = K::Text, .caption = "Status", .max = 12, .index = 118},
    {.key = "119", .kind = K::Text, .caption = "Row", .max = 12, .index = 119},
    {.key = "120", .kind = K::Text, .caption = "Order", .max = 12, .index = 120},
    {.key = "121", .kind = K::Text, .caption = "Wait ON", .max = 12, .index = 121},
    {.key = "122", .kind = K::Text, .caption = "Wait OFF", .max = 12, .index = 122},
};
constexpr TFieldRow kStatistics[] = {
    {.key = "123", .kind = K::Text, .caption = "Level", .max = 12, .index = 123},
    {.key = "124", .kind = K::Text, .caption = "HP", .max = 12, .index = 124},
    {.key = "125", .kind = K::Text, .caption = "MP", .max = 12, .index = 125},
    {.key = "126", .kind = K::Text, .caption = "Normal Status", .max = 12, .index = 126},
    {.key = "127", .kind = K::Text, .caption = "Experience", .max = 12, .index = 127},
    {.key = "128", .kind = K::Text, .caption = "Level (Short Form)", .max = 4, .index = 128},
    {.key = "129", .kind = K::Text, .caption = "HP (Short Form)", .max = 4, .index = 129},
    {.key = "130", .kind = K::Text, .caption = "MP (Short Form)", .max = 4, .index = 130},
    {.key = "131", .kind = K::Text, .caption = "MP Comsumed", .max = 12, .index = 131},
    {.key = "132", .kind = K::Text, .caption = "Attack", .max = 12, .index = 132},
    {.key = "133", .kind = K::Text, .caption = "Defense", .max = 12, .index = 133},
    {.key = "134", .kind = K::Text, .caption = "Intelligence", .max = 12, .index = 134},
    {.key = "135", .kind = K::Text, .caption = "Agility", .max = 12, .index = 135},
    {.key = "136", .kind = K::Text, .caption = "Weapon", .max = 12, .index = 136},
    {.key = "137", .kind = K::Text, .caption = "Shield", .max = 12, .index = 137},
    {.key = "138", .kind = K::Text, .caption = "Armor", .max = 12, .index = 138},
    {.key = "139", .kind = K::Text, .caption = "Helmet", .max = 12, .index = 139},
    {.key = "140", .kind = K::Text, .caption = "Accessory", .max = 12, .index = 140},
};
constexpr TFieldRow kSaveScreens[] = {
    {.key = "146", .kind = K::Text, .caption = "Choosing a Save Slot", .max = 50, .index = 146},
    {.key = "147", .kind = K::Text, .caption = "Choosing Which Slot to Load", .max = 50, .index = 147},
    {.key = "148", .kind = K::Text, .caption = "File", .max = 12, .index = 148},
    {.key = "151", .kind = K::Text, .caption = "Confirm Quit", .max = 50, .index = 151},
    {.key = "152", .kind = K::Text, .caption = "Yes", .max = 12, .index = 152},
    {.key = "153", .kind = K::Text, .caption = "No", .max = 12, .index = 153},
};

struct TGroup {
  const char* title;
  std::span<const TFieldRow> rows;
  // What stands between a line's first text and the text continuing it.
  const char* between = "";
};

struct TSubPage {
  const char* title;
  std::vector<TGroup> groups;
};

const TSubPage& SubPage(int i) {
  static const TSubPage pages[] = {
      {"Battle", {{"Battle Messages", kBattle, "(amount)"}, {"Level Up Messages", kLevelUp}}},
      {"Shops",
       {{"Messages for Shop Type A", kShopA},
        {"Messages for Shop Type B", kShopB},
        {"Messages for Shop Type C", kShopC}}},
      {"Inns and Items",
       {{"Messages for Inn Type A", kInnA, "(price)"},
        {"Messages for Inn Type B", kInnB, "(price)"},
        {"Items", kItems}}},
      {"Commands", {{"Commands", kCommands}}},
      {"Statistics and Files", {{"Statistics and Equipment", kStatistics}, {"Save and Quit Screens", kSaveScreens}}},
  };
  return pages[i];
}
constexpr int kSubPageCount = 5;

}  // namespace

TFormEDVocabulary::TFormEDVocabulary(const TDataBasePageContext& context, QWidget* parent)
    : TFormDataBaseBase(context, parent) {
  setObjectName("FormEDVocabulary");
  TFieldContext lists;
  lists.database = &context.database;
  TLcfVocabulary& vocabulary = context.database.vocabulary;
  auto accessOf = [&vocabulary](const TFieldRow& row) {
    const int id = row.index;
    TFieldAccess access;
    access.text = [&vocabulary, id] { return vocabulary.Text(id); };
    access.setText = [&vocabulary, id](const std::string& text) { vocabulary.SetText(id, text); };
    return access;
  };

  pages_ = new QTabWidget(this);
  for (int p = 0; p < kSubPageCount; ++p) {
    const TSubPage& sub = SubPage(p);
    auto* scroll = new QScrollArea(pages_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* page = new QWidget(scroll);
    page->setObjectName(QString("FormEDVocabPage%1").arg(p + 1));
    auto* column = new QVBoxLayout(page);
    for (const TGroup& group : sub.groups) {
      auto* box = new QGroupBox(group.title, page);
      auto* form = new QFormLayout(box);
      auto* binder = new TFieldBinder(group.rows, lists, this);
      binders_.push_back(binder);
      QHBoxLayout* line = nullptr;
      for (const TFieldRow& row : group.rows) {
        QWidget* control = binder->Build(row, accessOf(row), box);
        if (!*row.caption && line) {
          line->addWidget(new QLabel(group.between, box));
          line->addWidget(control, 1);
          continue;
        }
        line = new QHBoxLayout;
        line->addWidget(control, 1);
        form->addRow(std::string_view(row.caption) == " " ? "" : row.caption, line);
      }
      connect(binder, &TFieldBinder::changed, this, [this](const char*) { DataModified(); });
      column->addWidget(box);
    }
    column->addStretch(1);
    scroll->setWidget(page);
    pages_->addTab(scroll, sub.title);
  }
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(pages_);
  LoadEntry();
}

void TFormEDVocabulary::LoadEntry() {
  for (TFieldBinder* binder : binders_) binder->Load();
}

}  // namespace tess
