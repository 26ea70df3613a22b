#pragma once
// The database window's "Battle Layout" page: the battle type, the battle windows' size and
// transparency with their preview, how characters are placed, the random encounter death handler
// with its common event and teleport, the battle commands ("Battle Commands") and each hero's
// default commands, and the battle screen preview: the troop preview's background ("Change
// Background"), a troop ("Monster Group Shown") and the selected hero at its battle position, which
// is dragged with the mouse under manual placement. The battle layout is one record; the page
// lists the heroes whose positions and commands it edits.

#include <QWidget>

#include "editor/database/FormDataBaseBase.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace tess {

class TCommandSlotBox;
class TFieldBinder;
class TLcfPlayerItem;
class TBattleLayoutPreview;
class TBattleWindowPreview;

class TFormEDBattle final : public TFormDataBaseBase {
  Q_OBJECT
 public:
  TFormEDBattle(const TDataBasePageContext& context, QWidget* parent = nullptr);
  ~TFormEDBattle() override;

  void LoadEntry() override;
  void UpdateView() override;
  void SelectPreviousEntry() override;
  void SelectNextEntry() override;
  // The heroes are the entries: showing one shows its position and commands.
  int EntryCount() const override;
  void ShowEntry(int index) override;
  bool EditsFields() const override { return true; }

  TFieldBinder& Binder() const { return *binder_; }
  QListWidget* Heroes() const { return heroes_; }
  TCommandSlotBox* CommandSlots() const { return slots_; }
  TBattleLayoutPreview* Preview() const { return preview_; }
  TBattleWindowPreview* WindowPreview() const { return windowPreview_; }
  QPushButton* Button(const char* name) const;
  QLabel* TeleportPlace() const { return teleportPlace_; }
  // The selected hero, or none.
  TLcfPlayerItem* Hero() const;
  // The troop the preview shows ("Monster Group Shown"); the choice lasts while the editor runs.
  int32_t ShownTroop() const { return shownTroop_; }

  // The page's commands.
  void DragHero(int x, int y, bool fine);
  void ChooseCommand(int slot, int32_t id);
  void RunCommands();
  void RunBackground();
  void RunTeleport();

 private:
  void Changed();
  TFieldBinder* binder_ = nullptr;
  QListWidget* heroes_ = nullptr;
  TCommandSlotBox* slots_ = nullptr;
  TBattleLayoutPreview* preview_ = nullptr;
  TBattleWindowPreview* windowPreview_ = nullptr;
  QLabel* teleportPlace_ = nullptr;
  int32_t shownTroop_ = 1;
};

// The battle screen: the background, the shown troop at its placement and the selected hero's
// battler; under manual placement the hero is dragged in steps of 4 pixels (1 with Shift).
class TBattleLayoutPreview final : public QWidget {
  Q_OBJECT
 public:
  explicit TBattleLayoutPreview(TFormEDBattle& page, QWidget* parent = nullptr);
  // The rectangle of the hero's 48-pixel cell; empty without a hero.
  QRect HeroRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TFormEDBattle& page_;
  bool dragging_ = false;
  QPoint grab_;
};

// The battle window at the foot of the screen in the chosen size and transparency, drawn from the
// system graphic over the background.
class TBattleWindowPreview final : public QWidget {
  Q_OBJECT
 public:
  explicit TBattleWindowPreview(TFormEDBattle& page, QWidget* parent = nullptr);
  // The window's rectangle for a window size (0 large, 1 small) within the 320 x 80 strip.
  static QRect WindowRect(int windowSize);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TFormEDBattle& page_;
};

}  // namespace tess
