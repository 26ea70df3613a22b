#pragma once
// The two command choosers behind Insert: "Event Commands" for map events and common events (four
// tabbed pages of buttons), "Battle Event Commands" for troop battle pages (one list of buttons).
// Choosing a button runs its command's dialog; when the dialog reports OK the chooser closes with
// OK and its output holds the command's lines. For Edit, a chooser opens the dialog of the first
// line's code directly, without showing its buttons.

#include <QDialog>
#include <span>
#include <vector>

#include "events/LD_EventScript.h"
#include "script/EventScriptConverter.h"

class QBoxLayout;
class QPushButton;
class QTabWidget;

namespace tess {

class TFormEvCmdChooser : public QDialog {
  Q_OBJECT
 public:
  // The lines the last dialog made.
  const TLcfEventScriptList& Output() const { return output_; }
  // A dialog changed the database on the side.
  bool ChangedElsewhere() const { return changedElsewhere_; }

  // Opens the dialog of the first line's code on the lines. False when this chooser has no button
  // for the code, or the dialog did not report OK.
  bool EditLines(const TLcfEventScriptList& lines);
  // What clicking the button at position does.
  void Choose(int position);
  QPushButton* Button(int position) const;
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  // The tabbed pages of the buttons; none when they stand in one list.
  QTabWidget* Pages() const { return pages_; }

 protected:
  // last: the position chosen last since the program started, remembered by each chooser.
  TFormEvCmdChooser(std::span<const int32_t> codes, int& last, const TEventScriptConverter& context, QWidget* owner);
  // Makes the buttons (captioned from the catalogue) under parent.
  void MakeButtons(QWidget* parent);
  // Closes the layout with the Cancel button.
  void AddCancel(QBoxLayout* layout);
  // Opens on the page of the command chosen last, with its button focused.
  void showEvent(QShowEvent* event) override;

  QTabWidget* pages_ = nullptr;

 private:
  bool RunDialog(int32_t code);

  std::span<const int32_t> codes_;
  int& last_;
  const TEventScriptConverter& context_;
  std::vector<QPushButton*> buttons_;
  TLcfEventScriptList output_;
  bool changedElsewhere_ = false;
};

// "Event Commands": pages 1 to 3 hold 30 buttons each, page 4 the last two.
class TFormEvCmdList final : public TFormEvCmdChooser {
  Q_OBJECT
 public:
  TFormEvCmdList(const TEventScriptConverter& context, QWidget* owner = nullptr);
};

// "Battle Event Commands".
class TFormEvCmdList2 final : public TFormEvCmdChooser {
  Q_OBJECT
 public:
  TFormEvCmdList2(const TEventScriptConverter& context, QWidget* owner = nullptr);
};

}  // namespace tess
