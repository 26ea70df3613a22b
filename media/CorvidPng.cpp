#include "media/CorvidPng.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "media/ZlibStreams.h"

namespace tess {

namespace {

const char* const kInvalidPng = "Invalid PNG Image";
const char* const kUnsupportedPng = "Unsupported PNG Image";
const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

constexpr uint32_t ChunkType(const char (&t)[5]) {
  return (uint32_t(uint8_t(t[0])) << 24) | (uint32_t(uint8_t(t[1])) << 16) | (uint32_t(uint8_t(t[2])) << 8) |
         uint32_t(uint8_t(t[3]));
}
constexpr uint32_t kIHDR = ChunkType("IHDR"), kPLTE = ChunkType("PLTE"), kIDAT = ChunkType("IDAT"),
                   kIEND = ChunkType("IEND");

uint32_t BE32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}
void PutBE32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v >> 24), p[1] = static_cast<uint8_t>(v >> 16);
  p[2] = static_cast<uint8_t>(v >> 8), p[3] = static_cast<uint8_t>(v);
}

// Row filters, undone from the filtered bytes `in` into `out` against the row above, `up` (zeros
// for the first row). Bpp is the distance to the byte of the same channel in the pixel to the left.
template <int Bpp>
void UnfilterRow(int filter, const uint8_t* in, uint8_t* out, const uint8_t* up, size_t n) {
  switch (filter) {
    case 0:
      std::memcpy(out, in, n);
      break;
    case 1:
      for (size_t i = 0; i < Bpp && i < n; ++i) out[i] = in[i];
      for (size_t i = Bpp; i < n; ++i) out[i] = static_cast<uint8_t>(in[i] + out[i - Bpp]);
      break;
    case 2:
      for (size_t i = 0; i < n; ++i) out[i] = static_cast<uint8_t>(in[i] + up[i]);
      break;
    case 3:
      for (size_t i = 0; i < Bpp && i < n; ++i) out[i] = static_cast<uint8_t>(in[i] + (up[i] >> 1));
      for (size_t i = Bpp; i < n; ++i) out[i] = static_cast<uint8_t>(in[i] + ((out[i - Bpp] + up[i]) >> 1));
      break;
    case 4:
      for (size_t i = 0; i < Bpp && i < n; ++i) out[i] = static_cast<uint8_t>(in[i] + up[i]);
      for (size_t i = Bpp; i < n; ++i) {
        const int a = out[i - Bpp], b = up[i], c = up[i - Bpp];
        const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
        const int pred = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
        out[i] = static_cast<uint8_t>(in[i] + pred);
      }
      break;
  }
}

// Decoding state between chunks. Rows are inflated in batches into `batch` (filter byte first) and
// unfiltered straight into the bitmap, whose rows hold exactly the reconstructed bytes.
class TPngReader {
 public:
  // With alpha given, pictures of colour type 6 (red, green, blue and alpha) are read too: the
  // colours into the bitmap, the alpha samples into alpha, one per pixel.
  TPngReader(TBitmap& bitmap, const uint8_t* data, size_t size, Bytes* alpha = nullptr)
      : bmp_(bitmap), data_(data), size_(size), alpha_(alpha) {
    // Decoding stops once the last row is complete, before the stream's checksum, so computing it
    // would be wasted work.
    inflateValidate(&inf_.z, 0);
  }

  void Run() {
    if (size_ < 8) throw EReadError();
    if (std::memcmp(data_, kSignature, 8) != 0) throw EInvalidGraphic(kInvalidPng);
    pos_ = 8;
    for (;;) {
      if (size_ - pos_ < 8) throw EReadError();
      const uint32_t length = BE32(data_ + pos_);
      const uint32_t type = BE32(data_ + pos_ + 4);
      pos_ += 8;
      if (length > size_ - pos_) throw EReadError();
      const uint8_t* chunk = data_ + pos_;
      // The header comes first, and image data must follow one another while a row still waits for
      // its bytes.
      if ((type != kIHDR && !header_) || (type != kIDAT && PartialRow())) throw EInvalidGraphic(kInvalidPng);
      if (type == kIHDR) {
        Header(chunk, length);
      } else if (type == kPLTE) {
        Palette(chunk, length);
      } else if (type == kIDAT) {
        ImageData(chunk, length);
      } else if (type == kIEND) {
        if (length != 0 || nextRow_ < height_) throw EInvalidGraphic(kInvalidPng);
      }
      pos_ += length;
      if (size_ - pos_ < 4) throw EReadError();
      pos_ += 4;  // the checksum, not verified
      if (type == kIEND) return;
    }
  }

 private:
  bool PartialRow() const { return header_ && nextRow_ < height_ && fill_ % stride_ != 0; }

  void Header(const uint8_t* chunk, uint32_t length) {
    if (length > 13 || header_) throw EInvalidGraphic(kInvalidPng);
    uint8_t h[13] = {};
    std::memcpy(h, chunk, length);
    const uint32_t width = BE32(h), height = BE32(h + 4);
    const uint8_t depth = h[8], colourType = h[9], interlace = h[12];
    const bool withAlpha = colourType == 6 && alpha_;
    if ((colourType != 2 && colourType != 3 && !withAlpha) || depth != 8 || interlace != 0)
      throw EInvalidGraphic(kUnsupportedPng);
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) throw EInvalidGraphic(kInvalidPng);
    if (!PictureSizeAllowed(width, height)) throw EInvalidGraphic(kUnsupportedPng);
    bpp_ = colourType == 2 ? 3 : withAlpha ? 4 : 1;
    stride_ = static_cast<size_t>(width) * bpp_ + 1;
    // The rest of the file must be able to hold every row before the picture is allocated.
    if (uint64_t{stride_} * height > MostInflatedBytes(size_ - pos_)) throw EInvalidGraphic(kInvalidPng);
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    bmp_.Reset(width_, height_, colourType == 3 ? TPixelFormat::Indexed8 : TPixelFormat::Rgb24);
    if (alpha_) alpha_->clear();
    if (withAlpha) {
      alpha_->assign(static_cast<size_t>(width_) * height_, 0);
      rgba_[0].assign(stride_ - 1, 0);
      rgba_[1].assign(stride_ - 1, 0);
    }
    if (colourType == 3) bmp_.Palette().assign(256, TRgb{});
    batchRows_ = std::clamp<size_t>(65536 / stride_, 1, static_cast<size_t>(height_));
    batch_.assign(batchRows_ * stride_, 0);
    zeroRow_.assign(stride_, 0);
    header_ = true;
  }

  void Palette(const uint8_t* chunk, uint32_t length) {
    if (length > 768) throw EInvalidGraphic(kInvalidPng);
    std::memcpy(palette_, chunk, length);
    if (bmp_.Format() != TPixelFormat::Indexed8) return;  // a suggestion for true-colour pictures
    auto& pal = bmp_.Palette();
    for (int i = 0; i < 256; ++i) pal[i] = TRgb{palette_[3 * i], palette_[3 * i + 1], palette_[3 * i + 2]};
  }

  void ImageData(const uint8_t* chunk, uint32_t length) {
    if (nextRow_ >= height_) return;  // data after the last row are not needed
    z_stream& z = inf_.z;
    z.next_in = const_cast<Bytef*>(chunk);
    z.avail_in = length;
    for (;;) {
      const size_t rows = std::min(batchRows_, static_cast<size_t>(height_ - nextRow_));
      const size_t space = rows * stride_ - fill_;
      z.next_out = batch_.data() + fill_;
      z.avail_out = static_cast<uInt>(space);
      const uInt inBefore = z.avail_in;
      const int rc = inflate(&z, Z_NO_FLUSH);
      if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) throw EZlibError();
      const size_t produced = space - z.avail_out;
      fill_ += produced;
      FlushRows();
      if (nextRow_ >= height_) return;
      if (rc == Z_STREAM_END) throw EInvalidGraphic(kInvalidPng);  // the data end before the picture does
      // Output space left over means the input is used up; wait for the next chunk.
      if (z.avail_out != 0 || (produced == 0 && inBefore == z.avail_in)) return;
    }
  }

  // Unfilters every complete row of the batch into the bitmap and keeps a partial row's bytes.
  void FlushRows() {
    const size_t complete = fill_ / stride_;
    const size_t n = stride_ - 1;
    for (size_t k = 0; k < complete; ++k) {
      const uint8_t* in = batch_.data() + k * stride_;
      uint8_t* out = bmp_.Row(nextRow_);
      const uint8_t* up = nextRow_ == 0 ? zeroRow_.data() : bmp_.Row(nextRow_ - 1);
      if (in[0] > 4) throw EInvalidGraphic(kInvalidPng);
      if (bpp_ == 4) {
        // Colour and alpha rows are unfiltered against the previous one in full, then split.
        Bytes& row = rgba_[nextRow_ % 2];
        UnfilterRow<4>(in[0], in + 1, row.data(), rgba_[(nextRow_ + 1) % 2].data(), n);
        uint8_t* a = alpha_->data() + static_cast<size_t>(nextRow_) * width_;
        for (int x = 0; x < width_; ++x) {
          out[3 * x] = row[4 * x], out[3 * x + 1] = row[4 * x + 1], out[3 * x + 2] = row[4 * x + 2];
          a[x] = row[4 * x + 3];
        }
      } else if (bpp_ == 3) {
        UnfilterRow<3>(in[0], in + 1, out, up, n);
      } else {
        UnfilterRow<1>(in[0], in + 1, out, up, n);
      }
      ++nextRow_;
    }
    const size_t rest = fill_ - complete * stride_;
    if (complete && rest) std::memmove(batch_.data(), batch_.data() + complete * stride_, rest);
    fill_ = rest;
  }

  TBitmap& bmp_;
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  bool header_ = false;
  Bytes* alpha_;
  Bytes rgba_[2];  // the current and the previous row of a picture with alpha
  int width_ = 0, height_ = 0, bpp_ = 1;
  size_t stride_ = 1;  // bytes per row with its filter byte
  int nextRow_ = 0;
  uint8_t palette_[768] = {};
  TInflater inf_;
  Bytes batch_, zeroRow_;
  size_t batchRows_ = 1, fill_ = 0;
};

// Appends chunks to the output, computing each checksum over type and data.
class TPngWriter {
 public:
  explicit TPngWriter(Bytes& out) : out_(out) {}

  void Chunk(uint32_t type, const uint8_t* data, size_t length) {
    const size_t at = Begin(type);
    out_.insert(out_.end(), data, data + length);
    End(at);
  }
  // Opens a chunk whose data the caller appends; returns where it starts.
  size_t Begin(uint32_t type) {
    const size_t at = out_.size();
    out_.resize(at + 8);
    PutBE32(out_.data() + at + 4, type);
    return at;
  }
  void End(size_t at) {
    const size_t length = out_.size() - at - 8;
    PutBE32(out_.data() + at, static_cast<uint32_t>(length));
    const uint32_t crc = static_cast<uint32_t>(crc32(0, out_.data() + at + 4, static_cast<uInt>(length + 4)));
    out_.resize(out_.size() + 4);
    PutBE32(out_.data() + out_.size() - 4, crc);
  }

 private:
  Bytes& out_;
};

}  // namespace

void DecodePng(TBitmap& bitmap, const uint8_t* data, size_t size) { TPngReader(bitmap, data, size).Run(); }

void DecodePngWithAlpha(TBitmap& bitmap, Bytes& alpha, const uint8_t* data, size_t size) {
  TPngReader(bitmap, data, size, &alpha).Run();
}

struct TPngRowEncoder::TState {
  TDeflater def;
  Bytes out;
  size_t chunkAt = 0;
  Bytes staging;
  size_t staged = 0;
};

namespace {
constexpr size_t kIdatChunk = 65536;
}

TPngRowEncoder::TPngRowEncoder(int width, int height, const std::vector<TRgb>* palette)
    : rowBytes_(static_cast<size_t>(width) * (palette ? 1 : 3)), rowsLeft_(height) {
  // Rows are written as they come, so the picture as a whole may be larger than any reader takes.
  if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide)
    throw EInvalidGraphic(kInvalidPng);
  s_ = std::make_unique<TState>();
  Bytes& out = s_->out;
  out.insert(out.end(), kSignature, kSignature + 8);
  TPngWriter w(out);
  uint8_t ihdr[13] = {};
  PutBE32(ihdr, static_cast<uint32_t>(width));
  PutBE32(ihdr + 4, static_cast<uint32_t>(height));
  ihdr[8] = 8;
  ihdr[9] = palette ? 3 : 2;
  w.Chunk(kIHDR, ihdr, sizeof ihdr);
  if (palette) {
    uint8_t bytes[768] = {};
    for (size_t i = 0; i < palette->size() && i < 256; ++i) {
      bytes[3 * i] = (*palette)[i].red;
      bytes[3 * i + 1] = (*palette)[i].green;
      bytes[3 * i + 2] = (*palette)[i].blue;
    }
    w.Chunk(kPLTE, bytes, sizeof bytes);
  }
  s_->staging.resize(std::max<size_t>(rowBytes_ + 1, 32768));
  OpenChunk();
}

TPngRowEncoder::~TPngRowEncoder() = default;

// The compressor writes straight into an open IDAT chunk of 65,536 bytes; a full one is closed and
// the next opened.
void TPngRowEncoder::OpenChunk() {
  Bytes& out = s_->out;
  s_->chunkAt = TPngWriter(out).Begin(kIDAT);
  out.resize(s_->chunkAt + 8 + kIdatChunk);
  s_->def.z.next_out = out.data() + s_->chunkAt + 8;
  s_->def.z.avail_out = kIdatChunk;
}

void TPngRowEncoder::CloseChunk() {
  s_->out.resize(s_->out.size() - s_->def.z.avail_out);
  TPngWriter(s_->out).End(s_->chunkAt);
}

bool TPngRowEncoder::Compress(int flush) {
  z_stream& z = s_->def.z;
  for (;;) {
    const int rc = deflate(&z, flush);
    if (rc == Z_STREAM_ERROR) throw EZlibError();
    if (z.avail_out == 0) {
      CloseChunk();
      if (rc == Z_STREAM_END) return false;
      OpenChunk();
      continue;
    }
    if (flush == Z_FINISH ? rc == Z_STREAM_END : z.avail_in == 0) return true;
    if (rc != Z_OK && rc != Z_BUF_ERROR) throw EZlibError();
  }
}

void TPngRowEncoder::FeedStaged(int flush) {
  s_->def.z.next_in = s_->staging.data();
  s_->def.z.avail_in = static_cast<uInt>(s_->staged);
  s_->staged = 0;
  if (!Compress(flush)) s_->chunkAt = SIZE_MAX;  // the data ended exactly on a full chunk
}

void TPngRowEncoder::AddRow(const uint8_t* row) {
  if (!s_ || rowsLeft_ <= 0) throw EInvalidGraphic(kInvalidPng);
  // Rows go in with their filter byte 0, gathered a few at a time to spare calls.
  if (s_->staged + rowBytes_ + 1 > s_->staging.size()) FeedStaged(Z_NO_FLUSH);
  s_->staging[s_->staged] = 0;
  std::memcpy(s_->staging.data() + s_->staged + 1, row, rowBytes_);
  s_->staged += rowBytes_ + 1;
  --rowsLeft_;
}

Bytes TPngRowEncoder::Finish() {
  if (!s_ || rowsLeft_ != 0) throw EInvalidGraphic(kInvalidPng);
  FeedStaged(Z_FINISH);
  if (s_->chunkAt != SIZE_MAX) {
    // The last, shorter chunk; none when the data ended exactly on a full one.
    if (s_->def.z.avail_out < kIdatChunk)
      CloseChunk();
    else
      s_->out.resize(s_->chunkAt);
  }
  TPngWriter(s_->out).Chunk(kIEND, nullptr, 0);
  Bytes out = std::move(s_->out);
  s_.reset();
  return out;
}

Bytes EncodePng(const TBitmap& bitmap) {
  if (bitmap.Empty()) throw EInvalidGraphic(kInvalidPng);
  const bool indexed = bitmap.Format() == TPixelFormat::Indexed8;
  TPngRowEncoder encoder(bitmap.Width(), bitmap.Height(), indexed ? &bitmap.Palette() : nullptr);
  for (int y = 0; y < bitmap.Height(); ++y) encoder.AddRow(bitmap.Row(y));
  return encoder.Finish();
}

void ReadPng(TBitmap& bitmap, TStream& stream) {
  Bytes data = ReadRestOfStream(stream);
  DecodePng(bitmap, data.data(), data.size());
}

void WritePng(const TBitmap& bitmap, TStream& stream) {
  Bytes data = EncodePng(bitmap);
  stream.WriteBuffer(data.data(), data.size());
}

}  // namespace tess
