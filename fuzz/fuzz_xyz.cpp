// Reads arbitrary bytes as an XYZ file, also through the dispatch by content; a picture that reads
// must write and read back the same.
#include <cstdlib>

#include "PictureFuzz.h"
#include "media/CorvidXyz.h"
#include "media/PictureFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tess;
  try {
    TBitmap any;
    LoadPictureBytes(any, data, size);
  } catch (const ETessError&) {
  }
  TBitmap picture;
  try {
    DecodeXyz(picture, data, size);
  } catch (const ETessError&) {
    return 0;
  }
  if (picture.Empty()) return 0;  // refused on writing
  const Bytes again = EncodeXyz(picture);
  TBitmap back;
  DecodeXyz(back, again.data(), again.size());
  if (!fuzz::SamePicture(picture, back)) std::abort();
  fuzz::DrawAround(picture, data, size);
  return 0;
}
