// Reads arbitrary bytes as a PNG file, with and without alpha; a picture that reads must write and
// read back the same, and a picture read with its alpha must have one sample per pixel.
#include <cstdlib>

#include "PictureFuzz.h"
#include "media/CorvidPng.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tess;
  TBitmap picture;
  try {
    Bytes alpha;
    DecodePngWithAlpha(picture, alpha, data, size);
    if (!alpha.empty() && alpha.size() != static_cast<size_t>(picture.Width()) * picture.Height()) std::abort();
  } catch (const ETessError&) {
  }
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
