#include "ui/pickers/FormSelFace.h"

#include "core/MaterialFiles.h"

namespace tess {

TFormSelFace::TFormSelFace(QWidget* owner)
    : TFormSelMaterial(owner, TSetup("Select Face Graphic", "FaceSet").Preview(192, 192).Cells({48, 48, 4, 16})) {}

void TFormSelFace::DrawPreview(TCorvidBoard& board) { board.DrawSheet(0, 0, Bounds(0, 0, 192, 192), PreviewSheet()); }

}  // namespace tess
