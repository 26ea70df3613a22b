#pragma once
// "Area Properties": an area's name, its rectangle on the map and its encounters. The rectangle
// is shown as its first and last cells; pressing it opens "Define Area Boundaries" on the map.

#include <QDialog>
#include <string>

#include "maps/CellRect.h"

class QPushButton;

namespace tess {

class TEncounterListBox;
class TLcfEncount;
class TProjectDocument;

class TFormEDArea : public QDialog {
  Q_OBJECT
 public:
  // encounters is edited in place; the caller keeps it only after OK.
  TFormEDArea(TProjectDocument& document, int32_t id, const std::string& name, const TCellRect& rect,
              TLcfEncount& encounters, QWidget* parent = nullptr);

  std::string Name() const { return name_; }
  TCellRect Rect() const { return rect_; }
  void SetRect(const TCellRect& rect);
  QPushButton* RectButton() const { return rectButton_; }
  TEncounterListBox* Encounters() const { return encounters_; }

 private:
  // "Define Area Boundaries" on the document's map; OK takes its rectangle.
  void DefineBoundaries(TProjectDocument& document);

  TCellRect rect_;
  std::string name_;
  QPushButton* rectButton_;
  TEncounterListBox* encounters_;
};

}  // namespace tess
