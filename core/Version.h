#pragma once

namespace tess {
inline constexpr const char* kApplicationTitle = "Tessaly ";
inline constexpr const char* kVersionText = "0.1.0";
}  // namespace tess
