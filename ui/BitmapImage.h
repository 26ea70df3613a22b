#pragma once
// Pictures of the models shown in widgets.

#include <QImage>

#include "core/Stream.h"
#include "media/Bitmap.h"

namespace tess {

// An 8-bit bitmap as an indexed image with its 256 colours; a true-colour one as a 24-bit image,
// or with alpha samples (one per pixel) as an image with alpha.
QImage BitmapToImage(const TBitmap& bitmap, const Bytes* alpha = nullptr);

}  // namespace tess
