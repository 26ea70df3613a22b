#pragma once
// "Event Search": where a variable or a switch is used, where events of a name stand, and where a
// piece of text is written, in the current map, the common events, or every map and the common
// events. The window is not modal and lives as long as the main window, which creates it hidden
// and shows it by its command; "Close" only hides it, so its settings and results stay.
//
// Each result line knows its place: a double click asks the owner (through onOpenPlace) to lead
// the author there.

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "project/EventSearch.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace tess {

class TFieldBinder;
class TProjectDocument;

class TFormFindResult : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kKinds = 4;
  static constexpr int kScopes = 3;

  explicit TFormFindResult(TProjectDocument& document, QWidget* parent = nullptr);
  ~TFormFindResult() override;

  // Sets the controls from the fields.
  void UpdateControls();
  // "Search": the current kind over the scope; the results page then shows the kind searched.
  void Search();
  // "Close": hides the window.
  void CloseWindow() { hide(); }

  // The variable and switch buttons: the finder 16 pixels right of and below the window's corner;
  // on OK its choice becomes the id searched for.
  void ChooseVariable();
  void ChooseSwitch();

  // The fields.
  TSearchKind Kind() const { return kind_; }
  void SetKind(TSearchKind kind);
  TSearchScope Scope() const { return scope_; }
  void SetScope(TSearchScope scope);
  int32_t VariableId() const { return variableId_; }
  int32_t SwitchId() const { return switchId_; }
  void SetVariableId(int32_t id);
  void SetSwitchId(int32_t id);
  // In the project's code page.
  void SetEventName(const std::string& name);
  void SetSearchText(const std::string& text);
  int ResultsPage() const { return page_; }

  // The lines of a kind's result list and their places (empty before its first search).
  const std::vector<TSearchHit>& Results(TSearchKind kind) const { return results_[static_cast<int>(kind)]; }
  QListWidget* ResultList(TSearchKind kind) const { return lists_[static_cast<int>(kind)]; }
  // Opens the place of a line of a kind's list, as a double click does.
  void OpenResult(TSearchKind kind, int row);

  // Told the place of a result line the author double-clicked.
  std::function<void(const TSearchPlace&)> onOpenPlace;
  // Shows a progress window over an all-maps search with a Cancel button; tests turn it off.
  bool showProgress = true;
  // Asked by each step of the search whether to go on (tests cancel through it).
  std::function<bool(int done, int total)> onProgress;

 private:
  void BuildControls();
  // "%.4d:%s", "%.4d" without a name, "?" when there is no such entry.
  static QString EntryCaption(const class TCatalog& list, int32_t id);

  TProjectDocument& document_;
  TSearchKind kind_ = TSearchKind::Variable;
  int32_t variableId_ = 1;
  int32_t switchId_ = 1;
  std::string eventName_;
  std::string text_;
  TSearchScope scope_ = TSearchScope::CurrentMap;
  int page_ = 0;
  bool updating_ = false;
  std::vector<TSearchHit> results_[kKinds];

  TFieldBinder* binder_ = nullptr;
  QRadioButton* kindButtons_[kKinds] = {};
  QRadioButton* scopeButtons_[kScopes] = {};
  QPushButton* variableButton_ = nullptr;
  QPushButton* switchButton_ = nullptr;
  QLineEdit* nameEdit_ = nullptr;
  QLineEdit* textEdit_ = nullptr;
  QTabWidget* pages_ = nullptr;
  QListWidget* lists_[kKinds] = {};
  QPushButton* searchButton_ = nullptr;
  QPushButton* closeButton_ = nullptr;
};

}  // namespace tess
