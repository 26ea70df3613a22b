#pragma once
// A monster's battle graphic as the monster and troop pages show it: read from the Monster folder
// (project, then runtime package), its colours turned by the monster's hue, index 0 transparent.
// Pictures are read once per name and hue while the editor runs.

#include <QImage>
#include <string>

namespace tess {

// A null image when the picture cannot be read.
QImage MonsterImage(const std::string& name, int hue);

}  // namespace tess
