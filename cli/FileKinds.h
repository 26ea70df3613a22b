#pragma once
// The chunk-encoded files the headless tool knows, told apart by their magic string whatever the
// file's name. Each kind loads through the same model the editor uses.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/Stream.h"

namespace tess::cli {

struct TFileKind {
  const char* magic;
  const char* name;
  // Loads the bytes and returns a one-line summary; raises on damage.
  std::function<std::string(const Bytes&)> describe;
  // Loads the bytes and returns them as the model saves them; raises on damage.
  std::function<Bytes(const Bytes&)> roundTrip;
};

const std::vector<TFileKind>& FileKinds();

// The magic string a file starts with, if it starts with a readable one.
std::optional<std::string> ReadMagic(const Bytes& data);
// The kind of a file's bytes, or none.
const TFileKind* FindFileKind(const Bytes& data);

}  // namespace tess::cli
