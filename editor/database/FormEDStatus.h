#pragma once
// The database window's "Condition" page: every field of a condition, the colour list of the
// system graphic's text colours and a preview of the pose each battler set shows for it. Condition 1
// (knocked out) edits only its name, extent, colour and susceptibility, and always uses pose 5.

#include <QColor>
#include <vector>

#include "editor/database/FormEntryListPage.h"

class QListView;

namespace tess {

class TFieldBinder;
class TLcfStatusItem;
class TPosePreviewModel;

class TFormEDStatus final : public TFormEntryListPage {
  Q_OBJECT
 public:
  TFormEDStatus(const TDataBasePageContext& context, QWidget* parent = nullptr);

  void LoadEntry() override;
  void UpdateView() override;
  bool EditsFields() const override { return true; }

  TLcfStatusItem* Entry() const;
  TFieldBinder& Binder() const { return *binder_; }
  QListView* PosePreview() const { return poses_; }
  // The 20 text colours of the system graphic (grey when it cannot be read).
  const std::vector<QColor>& Colours() const { return colours_; }

 private:
  TFieldBinder* binder_ = nullptr;
  QListView* poses_ = nullptr;
  TPosePreviewModel* poseModel_ = nullptr;
  std::vector<QColor> colours_;
};

// The text colours of a system graphic: colour 10 * row + column is the pixel at (16 * column,
// 56 + 16 * row). Colours the picture does not reach are grey.
std::vector<QColor> SystemTextColours(const std::string& systemGraphic);

}  // namespace tess
