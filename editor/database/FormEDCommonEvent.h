#pragma once
// The database window's "Common Event" page: the entry list of common events, and for the selected
// one its name, trigger, condition switch and script.

#include "editor/database/FormEntryListPage.h"

namespace tess {

class TFieldBinder;
class TLcfCommonEventItem;
class TScriptEditor;

class TFormEDCommonEvent final : public TFormEntryListPage {
  Q_OBJECT
 public:
  TFormEDCommonEvent(const TDataBasePageContext& context, QWidget* parent = nullptr);

  void LoadEntry() override;
  void UpdateView() override;
  bool EditsFields() const override { return true; }

  TLcfCommonEventItem* Entry() const;
  TFieldBinder& Binder() const { return *binder_; }
  TScriptEditor* Script() const { return script_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TFieldBinder* binder_ = nullptr;
  TScriptEditor* script_ = nullptr;
};

}  // namespace tess
