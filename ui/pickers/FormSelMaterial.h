#pragma once
// What every picture picker shares: the list of one material folder (the picker's own entries
// first, then the project's materials, then the runtime package's marked " <RTP>"), a preview of
// the selected picture drawn on a board, the choice of a cell inside it for the pickers that have
// cells, and OK and Cancel. The tile pickers use the same window without a list.
//
// A caller sets materialName (and cellIndex and the picker's own fields) and runs exec; after OK
// it reads them back, after Cancel it ignores them. Each kind of picker remembers the values last
// confirmed with OK for the rest of the run; a caller that makes something new opens the picker
// on them with OpenOnLastConfirmed.

#include <QDialog>
#include <string>
#include <vector>

#include "core/MaterialFiles.h"
#include "media/CorvidSheet.h"
#include "ui/pickers/MaterialList.h"
#include "ui/pickers/PickerDrawing.h"

class QListWidget;
class QPushButton;
class QScrollArea;
class QVBoxLayout;
class QLabel;

namespace tess {

class TBoardView;

class TFormSelMaterial : public QDialog {
  Q_OBJECT
 public:
  // The chosen material's base name: no folder, no extension, never the " <RTP>" mark; empty when
  // nothing is selected (or a picker's own entry is).
  std::string materialName;
  // For pickers with cells: the chosen cell, counted row by row from 0.
  int32_t cellIndex = 0;

  // What opening does: fills the list, selects the entry of materialName, scrolls it into view and
  // shows its preview. exec runs it before showing the window.
  void Prepare();
  int exec() override;
  // OK: remembers the values for the next OpenOnLastConfirmed of this kind of picker.
  void accept() override;
  // Takes the values last confirmed with OK in this kind of picker during this run; false, and
  // nothing changes, when there are none yet.
  bool OpenOnLastConfirmed();

  // What the author's actions do: a click on a list row (-1 for none), a left press in the preview
  // at a board pixel, an arrow key in the preview.
  void SelectRow(int row);
  void PressPreview(TPoint p);
  void StepCell(int columns, int rows);

  QListWidget* List() const { return list_; }
  TBoardView* Preview() const { return preview_; }
  QPushButton* OkButton() const { return okButton_; }
  QPushButton* CancelButton() const { return cancelButton_; }
  const TMaterialList& Materials() const { return materials_; }
  TCorvidSheet& PreviewSheet() { return previewSheet_; }
  const std::string& Folder() const { return folder_; }

  // Forgets every remembered value (tests).
  static void ForgetLastConfirmed();

 protected:
  struct TSetup {
    // A picker of the pictures of a folder (or of the files with other extensions); an empty
    // folder makes a picker without a list (the tile pickers).
    explicit TSetup(const char* caption, std::string folder = {},
                    std::vector<std::string> extensions = PictureExtensions());
    // A preview of a board of that size; a taller one than scrollHeight (when not 0) scrolls.
    TSetup& Preview(int width, int height, int scrollHeight = 0);
    // The cells cellIndex counts.
    TSetup& Cells(const TCellGrid& grid);
    // Rows shown above the selection when the list opens (6 unless set).
    TSetup& RowsAbove(int rows);

    const char* caption;
    std::string folder;
    std::vector<std::string> extensions;
    int previewWidth = 0, previewHeight = 0;  // 0 x 0: no preview
    int scrollHeight = 0;
    int rowsAbove = 6;
    TCellGrid cells;  // none by default
  };
  TFormSelMaterial(QWidget* owner, TSetup setup);

  // The picker's own entries, listed before the materials.
  virtual std::vector<std::string> FixedEntries() const { return {}; }
  // Before the list is filled: the picker's controls take its fields.
  virtual void Preparing() {}
  // The row the list opens on; by default the entry of materialName (see TMaterialList).
  virtual int OpeningRow() const { return materials_.Selected(); }
  // After the selection step loaded the preview sheet; row is the list row (-1 for none) and
  // opening is set while the picker opens.
  virtual void EntrySelected(int row, bool opening) {}
  // Draws the preview from the preview sheet onto the board (cleared to black before).
  virtual void DrawPreview(TCorvidBoard& board) {}
  // The chosen cell on the board, framed after the preview is drawn; empty for none. By default
  // the cell cellIndex names in the grid of the setup.
  virtual TRect ChosenCell() const;
  // A left press in the preview; true when it changed the choice. By default it chooses the cell
  // of the grid under the press.
  virtual bool CellPressed(TPoint p);
  // An arrow key in the preview; true when it changed the choice. By default it moves to the
  // neighbouring cell of the grid in that direction, if there is one.
  virtual bool CellStepped(int columns, int rows);
  // The picker's own fields, remembered with materialName and cellIndex.
  virtual std::vector<int32_t> ModeValues() const { return {}; }
  virtual void SetModeValues(const std::vector<int32_t>& values) {}

  void showEvent(QShowEvent* event) override;
  void RedrawPreview();
  void SetPreviewSize(int width, int height);
  // Takes another folder (the battle animation tabs); with refill, lists it at once and runs the
  // selection step on the entry of materialName.
  void SetFolder(const std::string& folder, bool refill);
  // Where a picker puts its own controls: under the preview.
  QVBoxLayout* OptionsLayout() const { return options_; }
  // The selected list row; -1 for none.
  int SelectedRow() const;
  const TCellGrid& Cells() const { return cells_; }

 private:
  void FillList();
  void ScrollList();
  void RunSelectionStep(int row, bool opening);
  std::string MemoryKey() const;

  std::string folder_;
  std::vector<std::string> extensions_;
  int rowsAbove_;
  TCellGrid cells_;
  TMaterialList materials_;
  TCorvidSheet previewSheet_;
  QListWidget* list_ = nullptr;
  QScrollArea* previewArea_ = nullptr;
  TBoardView* preview_ = nullptr;
  QVBoxLayout* options_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  bool filling_ = false;
  int topRow_ = -1;
  int scrollHeight_ = 0;  // the list's first row to show, until the window shows
};

}  // namespace tess
