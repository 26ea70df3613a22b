#pragma once
// "Face Graphics": "Set" picks a face sheet and one of its faces in the face picker, "Erase"
// stores an empty file name (the messages show no face), the side and "Flip Image Horizontally".

#include "ui/script/FormEvCmdBase.h"

class QLabel;

namespace tess {

class TFormEvCmd10130 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd10130(const TLcfEventScriptList& lines, TCommandDialogContext& context);
  // What the buttons do once the face is known (the picker's result, or none for Erase).
  void SetFace(const std::string& sheet, int32_t index);
  void EraseFace();
  QString FaceText() const;

 private:
  void ShowFace();
  QLabel* face_ = nullptr;
};

}  // namespace tess
