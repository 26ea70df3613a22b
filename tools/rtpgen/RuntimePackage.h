#pragma once
// The runtime package: every shared material of our own making, by material folder, and the
// writer that lays them out in a folder the editor can register as its RTP.

#include <string>
#include <vector>

#include "core/Stream.h"
#include "media/Bitmap.h"
#include "tools/rtpgen/IndexedCanvas.h"

namespace tess::rtp {

// The nineteen material folders, in the order a project creates them.
const std::vector<std::string>& MaterialFolders();

struct TPackagePicture {
  std::string folder, name;  // name without extension
  TIndexedCanvas picture;
};
struct TPackageSound {
  std::string folder, name;  // name with extension
  Bytes data;
};

// Every picture and every song and sound of the package, drawn and composed in memory.
std::vector<TPackagePicture> DrawPackagePictures();
std::vector<TPackageSound> MakePackageSounds();

// The canvas as an 8-bit bitmap with its full 256-entry palette.
TBitmap ToBitmap(const TIndexedCanvas& canvas);

// The file name of the mark that says a folder holds a package this program wrote.
extern const char* const kPackageMark;

// Writes the package into root: the nineteen folders (Movie stays empty), pictures as PNG, songs
// as MIDI, sounds as waves. A folder that already holds a package written here is emptied first,
// so renamed materials leave nothing stale; any other existing folder is written into as it is.
// Returns the number of files written; raises EFileError when a file cannot be written.
int WriteRuntimePackage(const std::string& root);

}  // namespace tess::rtp
