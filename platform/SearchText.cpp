#include "platform/SearchText.h"

#include <algorithm>

#include "platform/TextCodec.h"

namespace tess {

std::string FoldCase(const TextCodec& codec, std::string_view text) {
  if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    std::string lowered(text);
    for (char& c : lowered)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lowered;
  }
  return codec.ToUnicode(std::string(text)).toCaseFolded().toStdString();
}

TFoldCase CaseFoldOf(const TextCodec& codec) {
  return [&codec](std::string_view text) { return FoldCase(codec, text); };
}

}  // namespace tess
