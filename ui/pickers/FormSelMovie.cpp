#include "ui/pickers/FormSelMovie.h"

#include "core/MaterialFiles.h"

namespace tess {

TFormSelMovie::TFormSelMovie(QWidget* owner)
    : TFormSelMaterial(owner, TSetup("Select Movie File", "Movie", MovieExtensions()).RowsAbove(4)) {}

}  // namespace tess
