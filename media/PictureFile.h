#pragma once
// Reading a picture file of any of the three formats the system knows, chosen by the file's leading
// bytes (PNG, XYZ, else BMP), and writing one in the format its name's extension names.

#include <string>

#include "core/Stream.h"
#include "media/Bitmap.h"

namespace tess {

enum class TPictureFormat { Bmp, Png, Xyz };

// The format the leading bytes announce; fewer than 4 bytes raise the stream read error.
TPictureFormat PictureFormatOfData(const uint8_t* data, size_t size);
// The format a file name asks for: ".png" and ".xyz" in any case, everything else BMP.
TPictureFormat PictureFormatOfName(const std::string& fileName);

// Reads a picture whatever its file name says. A picture without pixels raises EInvalidGraphic
// "Invalid bitmap image."; the codecs raise their own errors.
void LoadPictureFile(TBitmap& bitmap, const std::string& fileName);
void LoadPictureBytes(TBitmap& bitmap, const uint8_t* data, size_t size);
inline void LoadPictureBytes(TBitmap& bitmap, const Bytes& data) { LoadPictureBytes(bitmap, data.data(), data.size()); }

// Writes the picture atomically in the format of the name's extension: a failed write leaves any
// old file as it was.
void SavePictureFile(const TBitmap& bitmap, const std::string& fileName);
Bytes SavePictureBytes(const TBitmap& bitmap, TPictureFormat format);

// Reads any picture and writes it in the format of the target's extension.
void ConvertPictureFile(const std::string& source, const std::string& target);

}  // namespace tess
