#pragma once
// The choice texts of Show Choices: the opening line's string holds the kept choices joined by
// "/", one case line per kept choice follows it.

#include <array>
#include <string>

namespace tess {

inline constexpr int kChoiceCount = 4;
using TChoiceTexts = std::array<std::string, kChoiceCount>;

// The four choice boxes for an opening line's string (missing choices empty).
TChoiceTexts ChoiceTexts(const std::string& joined);
// The opening line's string for the four boxes: trailing empty choices are dropped, but the first
// choice is always kept.
std::string JoinChoices(const TChoiceTexts& choices);
// How many choices a joined string keeps.
int KeptChoiceCount(const std::string& joined);

}  // namespace tess
