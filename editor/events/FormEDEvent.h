#pragma once
// "Event Editor": one event of the map, its name and its pages, on a working copy that reaches the
// map only through OK or Apply (the apply callback). A tab per page; each page has its
// preconditions, graphic, movement, trigger, layer, overlap, animation, speed and script. Dialogs
// opened from it that change the database on the side set the changed-elsewhere flag: OK and
// Apply then save the database, and closing with the flag still set reloads it.

#include <QDialog>
#include <QTimer>
#include <functional>

#include "events/LD_Event.h"
#include "maps/GR_CharSet.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;

namespace tess {

class TFieldBinder;
class TLcfChipSetGraphic;
class TLcfDataBase;
class TLcfMap;
class TLcfMapTree;
class TScriptEditor;

struct TEventEditorContext {
  TLcfDataBase* database = nullptr;
  const TLcfMapTree* mapTree = nullptr;
  const TLcfMap* map = nullptr;
  TLcfChipSetGraphic* tileset = nullptr;  // the map's, for tile graphics; none draws no tiles
  // Saves the database after a change on the side; false when saving failed.
  std::function<bool()> saveDatabase;
  // Reads the database back from its file, dropping changes made on the side.
  std::function<void()> reloadDatabase;
};

class TFormEDEvent : public QDialog {
  Q_OBJECT
 public:
  using TApply = std::function<void(const TLcfEventItem&)>;
  // event: the working copy (the caller's, alive while the window is); isNew enables Apply at once.
  TFormEDEvent(TEventEditorContext context, TLcfEventItem& event, bool isNew, TApply apply, QWidget* owner = nullptr);
  ~TFormEDEvent() override;

  int CurrentPage() const { return current_; }
  void ShowPage(int index);
  // Ctrl+Tab and Shift+Ctrl+Tab: the next or previous page, wrapping around.
  void StepPage(int step);
  // The page buttons.
  void NewPage();
  void CopyPage();
  void PastePage();
  void DeletePage();
  // "Set": the graphic picker; "Define Pattern": the move route editor.
  void SetGraphic();
  void DefinePattern();
  // The music button: the music picker in listening mode, to hear music while editing.
  void ListenToMusic();
  void Apply();

  QTabBar* Tabs() const { return tabs_; }
  TFieldBinder& Binder() const { return *binder_; }
  TScriptEditor* Script() const { return script_; }
  QPushButton* ApplyButton() const { return apply_; }
  QPushButton* PageButton(int index) const { return pageButtons_[index]; }
  QPushButton* MusicButton() const { return music_; }
  // The preview as shown now, and the timer that animates it.
  QImage PreviewImage() const;
  const QTimer& PreviewTimer() const { return animation_; }
  QLabel* GraphicNote() const { return graphicNote_; }
  bool ChangedElsewhere() const { return changedElsewhere_; }
  // Called when something changed on the side (a picker renamed a switch, say).
  void NoteChangedElsewhere();

  void done(int result) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // While the script pane has the focus the wheel scrolls it, wherever the pointer is.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TLcfEventPageItem* Page() const;
  void Changed();
  void UpdatePageButtons();
  void UpdateGraphic();
  void AnimationTick();

  TEventEditorContext context_;
  TLcfEventItem& event_;
  TApply applyCallback_;
  int current_ = 0;
  bool changedElsewhere_ = false;
  TFieldBinder* binder_ = nullptr;
  TScriptEditor* script_ = nullptr;
  QTabBar* tabs_ = nullptr;
  QPushButton* apply_ = nullptr;
  QPushButton* pageButtons_[4] = {};
  QPushButton* definePattern_ = nullptr;
  QPushButton* music_ = nullptr;
  QWidget* animationType_ = nullptr;
  QWidget* preview_ = nullptr;
  QLabel* graphicNote_ = nullptr;
  TLcfCharSetGraphic charSets_;
  QTimer animation_;
  int frame_ = 0;
  int filling_ = 0;
};

}  // namespace tess
