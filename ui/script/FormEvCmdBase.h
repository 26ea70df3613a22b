#pragma once
// The base of every command window. It holds the working copy of the command's opening line (the
// line given, or for a new command the values confirmed last time, else the command's defaults),
// the binder that shows it, and the lines: on entry the lines being edited, after OK exactly the
// command's new lines, the first at depth 0. A multi-line command keeps the lines of each branch
// that still exists, rebased under its case line; a branch that no longer exists loses its lines.
//
// The generic window lays out one control per schema row; hand-written windows derive from it,
// place the binder's controls themselves and add what the rows cannot say.

#include <QDialog>
#include <memory>

#include "events/LD_EventScript.h"
#include "script/CommandSchema.h"
#include "ui/FieldBinder.h"
#include "ui/script/CommandDialogs.h"

class QVBoxLayout;

namespace tess {

class TFormEvCmdBase : public QDialog {
  Q_OBJECT
 public:
  TFormEvCmdBase(int32_t code, const TLcfEventScriptList& lines, TCommandDialogContext& context);
  ~TFormEvCmdBase() override;

  // Shows the window modally; true when OK made the new lines.
  virtual bool Execute();
  // What OK does: remembers the values for the next new command of this code and builds Lines().
  virtual void Accept();

  const TLcfEventScriptList& Lines() const { return lines_; }
  TCommandForm& Form() { return form_; }
  TFieldBinder& Binder() { return *binder_; }
  bool ChangedElsewhere() const { return context_.changedElsewhere; }
  // The window's caption for a code: the chooser's name, or the few longer titles.
  static QString Caption(int32_t code);

 protected:
  // The opening line as OK writes it (the form's confirming rules run, and its values are
  // remembered); hand-written windows adjust the form's values first.
  virtual TLcfEventScriptLine OpeningLine() { return form_.Accept(); }
  // Lays out the binder's controls for every row, then OK, Cancel and Help.
  void BuildGenericLayout();
  // Ends the layout with OK, Cancel and Help (the command's own page of the manual).
  void AddButtons(QVBoxLayout* layout);
  TFieldAccess AccessOf(const TFieldRow& row);

  TCommandDialogContext& context_;
  TLcfEventScriptList given_;
  TLcfEventScriptList lines_;
  TCommandForm form_;
  TFieldBinder* binder_ = nullptr;
};

}  // namespace tess
