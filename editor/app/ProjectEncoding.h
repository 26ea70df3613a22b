#pragma once
// The code page a project's text is shown in. Stored text stays bytes; the editor shows and takes
// it through the current text codec, which this sets for each project it opens: the code page kept
// for the project's folder in the editor's settings, or, on the first opening, the best guess from
// the project's names, which is then kept.

#include <string>

namespace tess {

class TSettings;
class TLcfDataBase;
class TLcfMapTree;

class TProjectEncoding {
 public:
  explicit TProjectEncoding(TSettings& settings) : settings_(settings) {}

  // Before the project's files are read: the code page kept for it becomes current. False when
  // none is kept yet; the current code page is then the default until Settle.
  bool UseKept(const std::string& projectFolder);
  // After a project without a kept code page opened: the guess from its names becomes current and
  // is kept. Returns what to tell the author about the choice, or empty when the names are plain
  // ASCII and left nothing to choose.
  std::string Settle(const std::string& projectFolder, const TLcfDataBase& database, const TLcfMapTree& mapTree);
  // The author's choice (Project > Text Encoding): current and kept.
  void Choose(const std::string& projectFolder, const std::string& codePage);

 private:
  TSettings& settings_;
};

}  // namespace tess
