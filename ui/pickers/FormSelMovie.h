#pragma once
// "Select Movie File": a movie of the Movie folder. Movies are not previewed.

#include "ui/pickers/FormSelMaterial.h"

namespace tess {

class TFormSelMovie : public TFormSelMaterial {
  Q_OBJECT
 public:
  explicit TFormSelMovie(QWidget* owner = nullptr);
};

}  // namespace tess
