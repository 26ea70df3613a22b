#pragma once
// A second start of the editor named a project folder: the running editor offers to open it.

#include <QString>

namespace tess {

class TFormLcfMain;

// Asks whether to open the project at folder (an absolute path). When another project is open,
// the question says it will be closed, and closing goes through the close query, which may ask to
// save its maps. Nothing is asked when that project is open already. Returns whether it is open
// afterwards.
bool OfferProject(TFormLcfMain& window, const QString& folder);

}  // namespace tess
