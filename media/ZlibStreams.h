#pragma once
// zlib streams as the picture codecs use them: standard zlib format, 15-bit window, the default
// level, memory level 8 and strategy. Each raises EZlibError when zlib cannot start it and ends
// its stream when it goes out of scope.

#include <zlib.h>

#include "media/Bitmap.h"

namespace tess {

struct TInflater {
  z_stream z{};
  TInflater() {
    if (inflateInit(&z) != Z_OK) throw EZlibError();
  }
  ~TInflater() { inflateEnd(&z); }
  TInflater(const TInflater&) = delete;
  TInflater& operator=(const TInflater&) = delete;
};

struct TDeflater {
  z_stream z{};
  TDeflater() {
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK) throw EZlibError();
  }
  ~TDeflater() { deflateEnd(&z); }
  TDeflater(const TDeflater&) = delete;
  TDeflater& operator=(const TDeflater&) = delete;
};

}  // namespace tess
