#pragma once
// The runtime package folder registered on this machine.

#include <string>

namespace tess {

class TSettings;

// The runtime package folder with a trailing '/', or empty when none is registered. When the
// setting is empty and the application folder has an RTP sub-folder, that folder is used and
// written back to the setting. A registered folder is not tested for existence.
std::string RuntimePackageFolder(TSettings& settings, const std::string& applicationFolder);
// The same with the user's settings and ApplicationFolder().
std::string RuntimePackageFolder();

}  // namespace tess
