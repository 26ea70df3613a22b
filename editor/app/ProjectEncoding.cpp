#include "editor/app/ProjectEncoding.h"

#include "platform/CodePageGuess.h"
#include "platform/Settings.h"
#include "platform/TextCodec.h"
#include "project/StoredNames.h"

namespace tess {

bool TProjectEncoding::UseKept(const std::string& projectFolder) {
  const std::string kept = settings_.ProjectCodePage(projectFolder);
  TextCodec::SetCurrent(kept.empty() ? CandidateCodePages().front().name : kept);
  return !kept.empty();
}

std::string TProjectEncoding::Settle(const std::string& projectFolder, const TLcfDataBase& database,
                                     const TLcfMapTree& mapTree) {
  const TCodePageGuess guess = GuessCodePage(CollectStoredNames(database, mapTree));
  Choose(projectFolder, guess.name);
  if (!guess.fromNames) return {};
  std::string close;
  for (size_t i = 0; i < guess.close.size(); ++i)
    close += (i == 0 ? "" : i + 1 == guess.close.size() ? " and " : ", ") + CodePageCaption(guess.close[i]);
  std::string message =
      "The project's names are shown as " + CodePageCaption(guess.name) + ", the code page that reads them best.";
  if (!close.empty())
    message += " The guess is not certain: " + close + (guess.close.size() == 1 ? " reads" : " read") +
               " them nearly as well.";
  return message + " If they look wrong, choose another with Project > Text Encoding.";
}

void TProjectEncoding::Choose(const std::string& projectFolder, const std::string& codePage) {
  TextCodec::SetCurrent(codePage);
  settings_.SetProjectCodePage(projectFolder, TextCodec::Current().Name());
  settings_.Sync();
}

}  // namespace tess
