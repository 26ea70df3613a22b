#include "media/CorvidXyz.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/StreamUtils.h"
#include "media/ZlibStreams.h"

namespace tess {

namespace {

const char* const kInvalidXyz = "Invalid XYZ Image";

}  // namespace

void DecodeXyz(TBitmap& bitmap, const uint8_t* data, size_t size) {
  if (size < 4) throw EReadError();
  if (std::memcmp(data, "XYZ1", 4) != 0) throw EInvalidGraphic(kInvalidXyz);
  if (size < 8) throw EReadError();
  const int width = data[4] | (data[5] << 8);
  const int height = data[6] | (data[7] << 8);
  const size_t bodySize = size - 8;
  const uint64_t pixels = static_cast<uint64_t>(width) * height;
  // The body must be able to hold the picture it claims before anything is allocated for it.
  if (!PictureSizeAllowed(width, height) || 768 + pixels > MostInflatedBytes(bodySize))
    throw EInvalidGraphic(kInvalidXyz);

  TInflater inf;
  bitmap.Reset(width, height, TPixelFormat::Indexed8);
  uint8_t palette[768] = {};
  inf.z.next_in = const_cast<Bytef*>(data + 8);
  inf.z.avail_in = static_cast<uInt>(std::min<size_t>(bodySize, UINT32_MAX));  // far more than any picture needs
  inf.z.next_out = palette;
  inf.z.avail_out = sizeof palette;
  // The palette first, then the indices straight into the bitmap, whose rows lie back to back just
  // as in the body. A body that goes on past the picture is a zlib error; one that ends before the
  // picture it promises is complete is not the picture its header names.
  int rc = inflate(&inf.z, pixels ? Z_NO_FLUSH : Z_FINISH);
  if (pixels && rc == Z_OK) {
    inf.z.next_out = bitmap.Bits();
    inf.z.avail_out = static_cast<uInt>(pixels);
    rc = inflate(&inf.z, Z_FINISH);
  }
  if (rc == Z_STREAM_END && (inf.z.avail_out != 0 || (pixels && inf.z.next_out != bitmap.Bits() + pixels)))
    throw EInvalidGraphic(kInvalidXyz);
  if (rc != Z_STREAM_END) throw EZlibError();
  auto& pal = bitmap.Palette();
  pal.resize(256);
  for (int i = 0; i < 256; ++i) pal[i] = TRgb{palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]};
}

Bytes EncodeXyz(const TBitmap& bitmap) {
  if (bitmap.Empty() || bitmap.Width() > 65535 || bitmap.Height() > 65535) throw EInvalidGraphic(kInvalidXyz);
  TDeflater def;
  TBitmap converted;
  const TBitmap* src = &bitmap;
  if (bitmap.Format() != TPixelFormat::Indexed8) {
    converted = ConvertTo8Bit(bitmap);
    src = &converted;
  }
  uint8_t palette[768];
  PaletteBytes256(*src, palette);
  const size_t pixels = static_cast<size_t>(src->Width()) * src->Height();
  Bytes out(8 + deflateBound(&def.z, static_cast<uLong>(768 + pixels)));
  std::memcpy(out.data(), "XYZ1", 4);
  out[4] = static_cast<uint8_t>(src->Width()), out[5] = static_cast<uint8_t>(src->Width() >> 8);
  out[6] = static_cast<uint8_t>(src->Height()), out[7] = static_cast<uint8_t>(src->Height() >> 8);
  def.z.next_out = out.data() + 8;
  def.z.avail_out = static_cast<uInt>(out.size() - 8);
  // Palette and indices go in as one body; the bitmap's rows are already laid out as the body wants.
  def.z.next_in = palette;
  def.z.avail_in = sizeof palette;
  if (deflate(&def.z, Z_NO_FLUSH) != Z_OK) throw EZlibError();
  def.z.next_in = const_cast<Bytef*>(src->Bits());
  def.z.avail_in = static_cast<uInt>(pixels);
  if (deflate(&def.z, Z_FINISH) != Z_STREAM_END) throw EZlibError();
  out.resize(out.size() - def.z.avail_out);
  return out;
}

void ReadXyz(TBitmap& bitmap, TStream& stream) {
  Bytes data = ReadRestOfStream(stream);
  DecodeXyz(bitmap, data.data(), data.size());
}

void WriteXyz(const TBitmap& bitmap, TStream& stream) {
  Bytes data = EncodeXyz(bitmap);
  stream.WriteBuffer(data.data(), data.size());
}

}  // namespace tess
