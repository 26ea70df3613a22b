// tessaly-icons FOLDER: writes the application icon at every size into FOLDER as an icon theme
// lays it out (FOLDER/NxN/apps/ID.png), for the installation's share/icons/hicolor/.
#include <QDir>
#include <QImage>
#include <QString>
#include <cstdio>

#include "ui/AppIcon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tessaly-icons FOLDER\n");
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  for (int size : tess::AppIconSizes()) {
    const QString folder = QString("%1/%2x%2/apps").arg(root).arg(size);
    const QString file = folder + "/" + tess::kAppId + ".png";
    if (!QDir().mkpath(folder) || !tess::DrawAppIcon(size).save(file, "PNG")) {
      std::fprintf(stderr, "tessaly-icons: cannot write %s\n", file.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}
