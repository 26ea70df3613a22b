#pragma once
// The editor's application icon, drawn in code at any size: a framed board of map tiles (grass,
// water, a path) with the editing frame on one of them. The window icon and the icon files of the
// desktop entry (made at build time by tessaly-icons) come from this one drawing.

#include <QIcon>
#include <QImage>
#include <vector>

namespace tess {

// The application's icon name in the desktop's icon theme, and its desktop entry's id.
inline constexpr const char* kAppId = "org.tessaly.Tessaly";

// The pixel sizes the icon files are made in.
const std::vector<int>& AppIconSizes();
// The icon as a square ARGB picture of size pixels.
QImage DrawAppIcon(int size);
// Every size of AppIconSizes() in one icon.
QIcon AppIcon();

}  // namespace tess
