#include "tools/rtpgen/DrawKit.h"

#include <cmath>

namespace tess::rtp {

void Ball(TIndexedCanvas& c, int x, int y, int w, int h, int ramp, double base, double contrast, uint32_t leafSeed) {
  if (w <= 0 || h <= 0) return;
  const double lx = -0.45, ly = -0.6, lz = 0.66;
  for (int py = y; py < y + h; ++py)
    for (int px = x; px < x + w; ++px) {
      double nx = (px + 0.5 - x - w / 2.0) / (w / 2.0), ny = (py + 0.5 - y - h / 2.0) / (h / 2.0);
      double rr = nx * nx + ny * ny;
      if (rr > 1) continue;
      double nz = std::sqrt(1 - rr);
      double lum = nx * lx + ny * ly + nz * lz;
      double s = base + contrast * (lum - 0.45);
      if (leafSeed) {
        double n = Noise(px / 3.0, py / 3.0, leafSeed, 64);
        s += (n - 0.5) * 2.2;
        if (n < 0.22) s -= 1;
      }
      c.Set(px, py, Dither(ramp, s, px, py));
    }
}

void Cylinder(TIndexedCanvas& c, int x, int y, int w, int h, int ramp, double base, double contrast) {
  for (int px = x; px < x + w; ++px) {
    double t = w > 1 ? (px + 0.5 - x) / w : 0.5;
    double s = base + contrast * (0.5 - std::abs(t - 0.35) * 1.6);
    for (int py = y; py < y + h; ++py) c.Set(px, py, Dither(ramp, s, px, py));
  }
}

void Block(TIndexedCanvas& c, int x, int y, int w, int h, int topH, int ramp, double base) {
  for (int py = y; py < y + h; ++py)
    for (int px = x; px < x + w; ++px) {
      double s = py < y + topH ? base + 1.5 : base - 0.3 - 0.8 * (py - y - topH) / double(std::max(1, h - topH));
      if (px == x) s += 0.6;
      if (px == x + w - 1) s -= 0.8;
      c.Set(px, py, Dither(ramp, s, px, py));
    }
}

void GroundShadow(TIndexedCanvas& c, int x, int y, int w, int h) {
  for (int py = y; py < y + h; ++py)
    for (int px = x; px < x + w; ++px) {
      double nx = (px + 0.5 - x - w / 2.0) / (w / 2.0), ny = (py + 0.5 - y - h / 2.0) / (h / 2.0);
      if (nx * nx + ny * ny <= 1 && ((px + py) & 1) == 0) c.SetBehind(px, py, kShadow);
    }
}

void VGradient(TIndexedCanvas& c, TRect r, int ramp, double top, double bottom) {
  for (int py = r.y; py < r.y + r.h; ++py) {
    double t = r.h > 1 ? (py - r.y) / double(r.h - 1) : 0;
    for (int px = r.x; px < r.x + r.w; ++px) c.Set(px, py, Dither(ramp, top + (bottom - top) * t, px, py));
  }
}

}  // namespace tess::rtp
