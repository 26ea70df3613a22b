#include "script/ChoiceLines.h"

namespace tess {

TChoiceTexts ChoiceTexts(const std::string& joined) {
  TChoiceTexts choices;
  size_t from = 0;
  for (int i = 0; i < kChoiceCount; ++i) {
    const size_t slash = joined.find('/', from);
    // The last box takes the rest, so that no text is lost.
    choices[static_cast<size_t>(i)] =
        i + 1 == kChoiceCount || slash == std::string::npos ? joined.substr(from) : joined.substr(from, slash - from);
    if (slash == std::string::npos) break;
    from = slash + 1;
  }
  return choices;
}

std::string JoinChoices(const TChoiceTexts& choices) {
  int kept = kChoiceCount;
  while (kept > 1 && choices[static_cast<size_t>(kept - 1)].empty()) --kept;
  std::string joined = choices[0];
  for (int i = 1; i < kept; ++i) joined += "/" + choices[static_cast<size_t>(i)];
  return joined;
}

int KeptChoiceCount(const std::string& joined) {
  int count = 1;
  for (char c : joined) count += c == '/';
  return count < kChoiceCount ? count : kChoiceCount;
}

}  // namespace tess
