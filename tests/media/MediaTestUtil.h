#pragma once
// Shared helpers of the picture tests: a scratch folder, outside programs, and test pictures.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/AtomicFile.h"
#include "core/Stream.h"
#include "media/Bitmap.h"

namespace tess::test {

// A folder of this test process, made at first use and removed at exit.
inline std::filesystem::path ScratchFolder() {
  struct TFolder {
    std::filesystem::path path;
    TFolder() : path(std::filesystem::temp_directory_path() / ("tess-media-" + std::to_string(::getpid()))) {
      std::filesystem::remove_all(path);
      std::filesystem::create_directories(path);
    }
    ~TFolder() {
      std::error_code ec;
      std::filesystem::remove_all(path, ec);
    }
  };
  static const TFolder folder;
  return folder.path;
}

inline std::string Scratch(const std::string& name) { return (ScratchFolder() / name).string(); }

inline int Shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

inline bool HaveProgram(const std::string& name) { return Shell("command -v " + name) == 0; }

// A python that has PIL, or "" when there is none.
inline std::string PythonWithPil() {
  for (const char* p : {"python3", "/usr/bin/python3"})
    if (Shell(std::string(p) + " -c 'import PIL'") == 0) return p;
  return "";
}

inline void WriteBytes(const std::string& path, const Bytes& data) { WriteFileAtomic(path, data); }

// Deterministic noise.
inline uint32_t Hash(uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}

// A picture that mixes smooth runs with noise, so every row filter has work to do.
inline TBitmap PatternRgb(int width, int height, uint32_t seed = 1) {
  TBitmap b(width, height, TPixelFormat::Rgb24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* p = b.Row(y) + 3 * x;
      const uint32_t n = Hash(seed * 7919 + y * 65537 + x);
      const bool smooth = ((x / 8 + y / 4) & 1) != 0;
      p[0] = static_cast<uint8_t>(smooth ? x * 3 + y : n);
      p[1] = static_cast<uint8_t>(smooth ? y * 5 : n >> 8);
      p[2] = static_cast<uint8_t>(smooth ? 200 - x : n >> 16);
    }
  return b;
}

// An indexed picture of the given number of colours (at most 256) with a distinct palette.
inline TBitmap PatternIndexed(int width, int height, int colours = 256, uint32_t seed = 1) {
  TBitmap b(width, height, TPixelFormat::Indexed8);
  b.Palette().resize(colours);
  for (int i = 0; i < colours; ++i)
    b.Palette()[i] = TRgb{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 37)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool smooth = ((x / 16 + y / 8) & 1) != 0;
      b.Row(y)[x] = static_cast<uint8_t>((smooth ? (x / 4 + y) : Hash(seed * 31 + y * 4099 + x)) % colours);
    }
  return b;
}

}  // namespace tess::test
