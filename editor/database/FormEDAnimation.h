#pragma once
// The database window's "Animations" page: name, picture, scope and y axis line, the frame strip,
// the cel view where cels are dragged (snapped to the grid when the system record asks for it),
// the cels of the frame with their order, the effect timings, and the windows of
// FormEDAnimationDialogs. Every change marks the animation dirty, so its cached bytes are encoded
// again when it is saved.

#include "editor/database/FormEntryListPage.h"

class QListWidget;
class QPushButton;

namespace tess {

class TFieldBinder;
class TLcfAnimationItem;
class TAnimationPreview;

class TFormEDAnimation final : public TFormEntryListPage {
  Q_OBJECT
 public:
  TFormEDAnimation(const TDataBasePageContext& context, QWidget* parent = nullptr);

  void LoadEntry() override;
  void UpdateView() override;
  void DataModified() override;
  bool EditsFields() const override { return true; }

  TLcfAnimationItem* Entry() const;
  TFieldBinder& Binder() const { return *binder_; }
  TAnimationPreview* Preview() const { return preview_; }
  QListWidget* Frames() const { return frames_; }
  QListWidget* Cels() const { return cels_; }
  QListWidget* Timings() const { return timings_; }
  int Frame() const;
  int Cel() const;
  void SelectFrame(int frame);
  QPushButton* Button(const char* name) const;

  // The frame and cel commands.
  void InsertFrame();
  void DeleteFrame();
  void ClonePrevious();
  void AddCel();
  void DeleteCel();
  void MoveCel(bool later);
  // A drag of the selected cel in the cel view to a board point.
  void DragCelTo(int x, int y);

 private:
  void FillFrames();
  void FillCels();
  void FillTimings();
  void RunPicker();
  QPushButton* AddButton(const char* caption, const char* name, std::function<void()> action, QWidget* parent);

  TFieldBinder* binder_ = nullptr;
  TAnimationPreview* preview_ = nullptr;
  QListWidget* frames_ = nullptr;
  QListWidget* cels_ = nullptr;
  QListWidget* timings_ = nullptr;
  bool filling_ = false;
  // The drag's start: the board point and the cel's offsets then.
  int dragX_ = 0, dragY_ = 0, celX_ = 0, celY_ = 0;
};

}  // namespace tess
