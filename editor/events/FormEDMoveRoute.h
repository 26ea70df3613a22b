#pragma once
// "Custom Movement Pattern": the move route editor. In page mode it edits an event page's own
// route (the target list shows "This Event" and is disabled); for the Move Event command it also
// chooses the event that moves and the movement frequency. The list shows one row per command and
// a last row "<>"; the 42 buttons insert before the selected row; Switch ON/OFF, Change Graphic and
// Sound Effect ask their picker first. The caller reads route, target and frequency after OK and
// changedElsewhere whatever the result.

#include <QDialog>
#include <string>
#include <vector>

#include "events/LD_MoveRoute.h"
#include "events/MoveRouteEdit.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class QMenu;

namespace tess {

class TLcfDataBase;
class TLcfMap;

class TFormEDMoveRoute : public QDialog {
  Q_OBJECT
 public:
  struct TContext {
    TLcfDataBase* database = nullptr;  // switch names; the switch picker may write them
    const TLcfMap* map = nullptr;      // the events offered as targets
    int32_t eventId = 0;               // the edited event, listed under eventName
    std::string eventName;
  };
  TFormEDMoveRoute(bool pageMode, TContext context, QWidget* owner = nullptr);
  ~TFormEDMoveRoute() override;

  TLcfMoveRoute route;
  int32_t target = 0;  // Move Event mode: 0 for a new command (the remembered target is taken)
  int32_t frequency = 3;
  std::string sheetName;  // offered first by Change Graphic
  int32_t sheetIndex = 0;
  bool changedElsewhere = false;

  // Shows the values; exec runs it first.
  void Prepare();
  int exec() override;
  void accept() override;

  // What the buttons do (tests call them as a click would).
  void AddCommand(int32_t code);
  TMoveRouteEdit& Edit() { return edit_; }
  QListWidget* List() const { return list_; }
  QPushButton* CommandButton(int index) const { return buttons_[index]; }
  QComboBox* Targets() const { return targets_; }
  // The target ids behind the target list.
  const std::vector<int32_t>& TargetIds() const { return targetIds_; }
  // Forgets the remembered values (tests).
  static void ForgetRemembered();

 private:
  void Refill();
  void UpdateButtons();
  void ShowMenu(const QPoint& at);
  void Run(bool (TMoveRouteEdit::*command)());
  bool eventFilter(QObject* watched, QEvent* event) override;

  bool pageMode_;
  TContext context_;
  TMoveRouteEdit edit_{route};
  std::vector<int32_t> targetIds_;
  QListWidget* list_ = nullptr;
  QComboBox* targets_ = nullptr;
  QPushButton* buttons_[kMoveCommandCount] = {};
  QPushButton* delete_ = nullptr;
  QPushButton* clear_ = nullptr;
  QCheckBox* repeat_ = nullptr;
  QCheckBox* skip_ = nullptr;
  QButtonGroup* frequencies_ = nullptr;
  bool prepared_ = false;
};

}  // namespace tess
