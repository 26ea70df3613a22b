#include "media/PictureFile.h"

#include <cstring>

#include "core/AtomicFile.h"
#include "media/BmpFile.h"
#include "media/CorvidPng.h"
#include "media/CorvidXyz.h"

namespace tess {

TPictureFormat PictureFormatOfData(const uint8_t* data, size_t size) {
  if (size < 4) throw EReadError();
  if (data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G') return TPictureFormat::Png;
  if (std::memcmp(data, "XYZ1", 4) == 0) return TPictureFormat::Xyz;
  return TPictureFormat::Bmp;
}

TPictureFormat PictureFormatOfName(const std::string& fileName) {
  const size_t slash = fileName.find_last_of('/');
  const size_t dot = fileName.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return TPictureFormat::Bmp;
  std::string ext = fileName.substr(dot);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (ext == ".png") return TPictureFormat::Png;
  if (ext == ".xyz") return TPictureFormat::Xyz;
  return TPictureFormat::Bmp;
}

void LoadPictureBytes(TBitmap& bitmap, const uint8_t* data, size_t size) {
  switch (PictureFormatOfData(data, size)) {
    case TPictureFormat::Png:
      DecodePng(bitmap, data, size);
      break;
    case TPictureFormat::Xyz:
      DecodeXyz(bitmap, data, size);
      break;
    case TPictureFormat::Bmp:
      DecodeBmp(bitmap, data, size);
      break;
  }
  if (bitmap.Empty()) throw EInvalidGraphic(kInvalidBitmapImage);
}

void LoadPictureFile(TBitmap& bitmap, const std::string& fileName) {
  const Bytes data = ReadWholeFile(fileName);
  LoadPictureBytes(bitmap, data.data(), data.size());
}

Bytes SavePictureBytes(const TBitmap& bitmap, TPictureFormat format) {
  switch (format) {
    case TPictureFormat::Png:
      return EncodePng(bitmap);
    case TPictureFormat::Xyz:
      return EncodeXyz(bitmap);
    case TPictureFormat::Bmp:
      break;
  }
  return EncodeBmp(bitmap);
}

void SavePictureFile(const TBitmap& bitmap, const std::string& fileName) {
  // The whole file is made in memory first, so an encoding error never touches the old file.
  WriteFileAtomic(fileName, SavePictureBytes(bitmap, PictureFormatOfName(fileName)));
}

void ConvertPictureFile(const std::string& source, const std::string& target) {
  TBitmap bitmap;
  LoadPictureFile(bitmap, source);
  SavePictureFile(bitmap, target);
}

}  // namespace tess
