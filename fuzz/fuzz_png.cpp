// Reads arbitrary bytes as a PNG file; a picture that reads must write and read back the same.
#include <cstdlib>

#include "PictureFuzz.h"
#include "media/CorvidPng.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tess;
  TBitmap picture;
  try {
    DecodePng(picture, data, size);
  } catch (const ETessError&) {
    return 0;
  }
  const Bytes again = EncodePng(picture);
  TBitmap back;
  DecodePng(back, again.data(), again.size());
  if (!fuzz::SamePicture(picture, back)) std::abort();
  fuzz::DrawAround(picture, data, size);
  return 0;
}
