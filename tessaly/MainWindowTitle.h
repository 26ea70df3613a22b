#pragma once
// The main window's title: the program, the open game and the current map, as in
// "Tessaly - Tessaly Demo - Eastbrook". The "[*]" after the last part is where the window shows
// its modified mark while maps are modified.

#include <QString>

namespace tess {

// No game (no project open): the program's name alone. An empty map name is left out.
QString MainWindowTitle(const QString& gameTitle, const QString& mapName, bool projectOpen);

}  // namespace tess
