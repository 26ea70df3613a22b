#pragma once
// "Conditional Branch": the condition kinds on two tabbed pages, each with its operands beside it;
// the hero condition is set in "Conditional Branch: Hero Options". Timers are entered as minutes
// and seconds. "Execute Custom Handler if Condition Not Met" adds the else branch; turning it off
// drops that branch's lines. The battle branch (13310) is the same window on one page of its own
// kinds: switch, variable, a hero or a member who can act, a member targeted, a hero's command.
// Kinds share their operands' places, so each kind's controls show only that kind's operands.
// On a troop's page the member is chosen from the troop's members; a stored member the troop does
// not have is listed by its number and kept.

#include <array>
#include <map>
#include <string>
#include <vector>

#include "ui/script/FormEvCmdBase.h"

class QButtonGroup;
class QLabel;
class QPushButton;
class QTabWidget;

namespace tess {

class TFormEvCmd12010 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd12010(int32_t code, const TLcfEventScriptList& lines, TCommandDialogContext& context);
  QTabWidget* Pages() const { return pages_; }
  QButtonGroup* Kinds() const { return kinds_; }
  // What clicking a condition kind does.
  void ChangeKind(int32_t kind);
  // Runs "Conditional Branch: Hero Options"; true when it was confirmed.
  bool RunHeroOptions();
  QString HeroSummary() const;

  // The sub-dialog's window, for tests: made by RunHeroOptions, shown modally.
  static void (*heroOptionsHook)(QDialog& options);

 private:
  void ShowKind();
  // The operand at index (1 to 4) as kind shows it: the form's when kind is chosen, else what kind
  // held when the author left it, else what it would start with.
  int32_t OperandOf(int32_t kind, int index) const;
  TFieldAccess KindAccess(const TFieldRow& row, int32_t kind);
  struct TOperands {
    std::array<int32_t, 4> params{};
    std::string text;
  };
  // The troop member row as a list of the troop's members (only on a troop's page).
  void MakeMemberRow();
  TFieldRow memberRow_;
  std::vector<std::string> memberCaptions_;
  std::vector<TFieldChoice> memberChoices_;
  std::map<int32_t, TOperands> operands_;  // by kind, what each kind held when the author left it
  QTabWidget* pages_ = nullptr;
  QButtonGroup* kinds_ = nullptr;
  QLabel* hero_ = nullptr;
  QPushButton* heroOptions_ = nullptr;
};

}  // namespace tess
