#pragma once
// tessaly-cli play: a music or sound file played through the editor's audio front end, on the
// sound device or rendered offline into a wave file.

#include <iosfwd>
#include <string>
#include <vector>

namespace tess::cli {

// play FILE [--volume V] [--tempo T] [--balance B] [--fade-in MS] [--sound] [--seconds S]
//      [--render OUT.wav]
int Play(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tess::cli
