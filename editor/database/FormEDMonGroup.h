#pragma once
// The database window's "M. Groups" page: a troop's name, members and their places on the battle
// screen preview (added from the monster list, removed, auto-aligned, dragged, made invisible),
// "Autoname Group", "Random", the terrains where the troop is met ("Habitat"), the battle
// background of the preview, and the battle event pages with their triggers and scripts; "Test
// Battle" runs the troop in the runtime.

#include <QWidget>

#include "database/LD_MonGroup.h"
#include "editor/database/FormEntryListPage.h"

class QListWidget;
class QPushButton;
class QTabBar;
class QCheckBox;

namespace tess {

class TFieldBinder;
class TScriptEditor;
class TTroopPreview;

class TFormEDMonGroup final : public TFormEntryListPage {
  Q_OBJECT
 public:
  TFormEDMonGroup(const TDataBasePageContext& context, QWidget* parent = nullptr);

  void LoadEntry() override;
  void UpdateView() override;
  bool EditsFields() const override { return true; }

  TLcfMonGroupItem* Entry() const;
  TFieldBinder& Binder() const { return *binder_; }
  QListWidget* Monsters() const { return monsters_; }
  TTroopPreview* Preview() const { return preview_; }
  QTabBar* PageTabs() const { return pageTabs_; }
  TScriptEditor* Script() const { return script_; }
  // "Habitat": one checkable line per terrain.
  QListWidget* Habitat() const { return habitat_; }
  QPushButton* Button(const char* name) const;
  int CurrentPage() const;
  // The alignment context of the shown troop (battle layout, preview terrain, graphic sizes).
  TAlignmentContext Alignment() const;

  // The page's commands.
  void AddMember(int32_t monsterId);
  void RemoveMember(int index);
  void RemoveAllMembers();
  void AutoAlign();
  void Autoname();
  void SetRandom(bool on);
  void SetHabitat(int terrainId, bool on);
  void ToggleInvisible(int index);
  void MoveMember(int index, int x, int y);
  void NewPage();
  void CopyPage();
  void PastePage();
  void DeletePage();
  void ShowPage(int index);
  void RunTrigger();
  void RunBackgroundPicker();
  void RunTestBattle();

 private:
  void Changed();
  void ShowPages(int select);
  void ShowHabitat();
  TFieldBinder* binder_ = nullptr;
  QListWidget* monsters_ = nullptr;
  TTroopPreview* preview_ = nullptr;
  QTabBar* pageTabs_ = nullptr;
  TScriptEditor* script_ = nullptr;
  QCheckBox* random_ = nullptr;
  QListWidget* habitat_ = nullptr;
  bool showingHabitat_ = false;
  bool showingPages_ = false;
};

// The troop on the 320 x 240 battle screen: background, members (transparent monsters at 160,
// invisible members at 80 of 255), the selected member framed; members are dragged with the mouse
// under manual alignment.
class TTroopPreview final : public QWidget {
  Q_OBJECT
 public:
  explicit TTroopPreview(TFormEDMonGroup& page, QWidget* parent = nullptr);
  int Selected() const { return selected_; }
  void Select(int index);
  // The member whose graphic covers the point, the last drawn first; -1 for none.
  int MemberAt(const QPoint& point) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QPoint PositionOf(int index) const;
  TFormEDMonGroup& page_;
  int selected_ = -1;
  bool dragging_ = false;
  QPoint grab_;
};

}  // namespace tess
