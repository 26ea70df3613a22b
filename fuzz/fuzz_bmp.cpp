// Reads arbitrary bytes as a BMP file; a picture that reads must write and read back the same, and
// draw safely through a sheet.
#include <cstdlib>

#include "PictureFuzz.h"
#include "media/BmpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tess;
  TBitmap picture;
  try {
    DecodeBmp(picture, data, size);
  } catch (const ETessError&) {
    return 0;
  }
  const Bytes again = EncodeBmp(picture);
  TBitmap back;
  DecodeBmp(back, again.data(), again.size());
  if (!fuzz::SamePicture(picture, back)) std::abort();
  fuzz::DrawAround(picture, data, size);
  return 0;
}
