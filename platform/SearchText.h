#pragma once
// Comparing the project's text without case, for the event search: texts in the project's code
// page are folded through Unicode, so letters beyond ASCII fold too and a multi-byte character's
// second byte is never taken for a letter.

#include <string>
#include <string_view>

#include "project/EventSearch.h"

namespace tess {

class TextCodec;

// The case-folded UTF-8 form of a text in the codec's code page (plain ASCII is only lowered).
std::string FoldCase(const TextCodec& codec, std::string_view text);
// A fold for the event search through the codec, which must outlive it.
TFoldCase CaseFoldOf(const TextCodec& codec);

}  // namespace tess
