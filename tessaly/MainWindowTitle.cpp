#include "tessaly/MainWindowTitle.h"

namespace tess {

QString MainWindowTitle(const QString& gameTitle, const QString& mapName, bool projectOpen) {
  // The application title has a trailing blank for message boxes; the window shows the name.
  QString title = "Tessaly";
  if (!projectOpen) return title;
  title += " - " + gameTitle;
  if (!mapName.isEmpty()) title += " - " + mapName;
  return title + "[*]";
}

}  // namespace tess
