#pragma once
// "Select Face Graphic": a face sheet of the FaceSet folder (16 faces of 48 x 48, four across) and
// one of its faces. The preview shows the sheet 1:1.

#include "ui/pickers/FormSelMaterial.h"

namespace tess {

class TFormSelFace : public TFormSelMaterial {
  Q_OBJECT
 public:
  explicit TFormSelFace(QWidget* owner = nullptr);

 protected:
  void DrawPreview(TCorvidBoard& board) override;
};

}  // namespace tess
