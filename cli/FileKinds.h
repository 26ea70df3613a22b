#pragma once
// The chunk-encoded files the headless tool knows, told apart by their magic string whatever the
// file's name. Each kind loads through the same model the editor uses.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/ChunkDump.h"
#include "core/Stream.h"

namespace tess::cli {

struct TFileKind {
  const char* magic;
  const char* name;
  // What follows the magic string, for the raw chunk listing.
  TFileLayout layout;
  // Loads the bytes and returns a one-line summary; raises on damage.
  std::function<std::string(const Bytes&)> describe;
  // Loads the bytes and returns them as the model saves them; raises on damage.
  std::function<Bytes(const Bytes&)> roundTrip;
};

const std::vector<TFileKind>& FileKinds();

// The magic string a file starts with, if it starts with a readable one.
std::optional<std::string> ReadMagic(const Bytes& data);
// Bytes as they may be shown on a terminal: printable characters as they are, the rest (and '\\'
// and '"') as \xNN.
std::string ShownBytes(const std::string& bytes);
// The kind of a file's bytes, or none.
const TFileKind* FindFileKind(const Bytes& data);

}  // namespace tess::cli
