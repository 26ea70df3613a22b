#pragma once
// The code pages a project's text can be in, and the guess of the one a project uses from the
// names it stores: among the code pages that read every name, the one whose reading is most
// plausible.

#include <string>
#include <vector>

namespace tess {

struct TCodePage {
  const char* name;     // as the text codec knows it: "windows-1252", "Shift_JIS", ...
  const char* caption;  // as the editor offers it: "Japanese (Shift_JIS)"
};

// The code pages the editor offers, the default (windows-1252) first.
const std::vector<TCodePage>& CandidateCodePages();
// The caption of a code page, or its name when it is not a candidate.
std::string CodePageCaption(const std::string& name);
// The candidate a name given by the user stands for ("shift_jis", "Windows-1251"), in its own
// spelling; empty when it is none of them.
std::string FindCodePage(const std::string& name);

struct TCodePageGuess {
  std::string name;
  // Some name holds bytes outside ASCII: the choice was a real one. Otherwise every candidate reads
  // the names alike and the default is taken.
  bool fromNames = false;
  // The candidates that read every name, best first.
  std::vector<std::string> ranked;
  // The other candidates that read the names nearly as well as the chosen one, best first; empty
  // when the guess is certain.
  std::vector<std::string> close;
};

// How much lower (of a score from 0 to 1) a candidate may score than the best and still be close.
inline constexpr double kCloseCodePageScore = 0.1;

// Guesses the code page of names (stored bytes). Candidates that cannot read some name are out;
// the others are ranked by ICU's charset detection over all the names together and by how many of
// the characters they read are letters of the scripts the code page is made for. When no
// candidate reads every name, the default is taken.
TCodePageGuess GuessCodePage(const std::vector<std::string>& names);

}  // namespace tess
