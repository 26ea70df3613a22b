#pragma once
// The archiver behind the game disk: one call that takes an archiver command line, writes what it
// did into an output buffer and returns 0 on success.
//
// Command line: a command letter, switches, the archive, then the files. Words are separated by
// blanks; double quotes group a word with blanks and are removed. '\' and '/' both separate folders.
//
//   a             add the files to the archive (created when missing; an entry of the same name,
//                 compared without regard to case, is replaced)
//   -r, -r1, -r2  a named folder is stored with everything below it (-r0: not)
//   -d, -d1       folders are stored as entries of their own (-d0: not)
//   -+            take no stored defaults (there are none; accepted for compatibility)
//   @file         read more names from a response file, one per line
//
// A name ending in a folder separator sets the folder that the following names are relative to;
// names are stored with that relative path. Names may use '*' and '?' in their last part. Every
// name is found case-insensitively, exact spelling first; a name that matches nothing is skipped
// and logged.
// The archive is written to a temporary file beside it and renamed into place only when complete.

#include <cstddef>
#include <string>

namespace tess {

enum TUnlhaResult : int {
  kUnlhaOk = 0,
  kUnlhaBadCommand = 1,  // unknown command or switch, missing archive name
  kUnlhaNotFound = 2,    // a name matched nothing, or a response file could not be read
  kUnlhaReadError = 3,   // a file could not be read, or the existing archive is damaged
  kUnlhaWriteError = 4,  // the archive could not be written
};

// output receives the log (at most outputSize - 1 bytes and a terminating zero); it may be null
// when outputSize is 0.
int Unlha(const std::string& commandLine, char* output, size_t outputSize);

}  // namespace tess
