#pragma once
// The text form of the chunk-encoded files: the database, the map tree and the maps as JSON that
// people read in diffs and merge, and that converts back to the same bytes.
//
// The text shows a file as its model saves it. Every field stands under its model name and its chunk
// number ("maxLevel#8"), in chunk order, with the values a save would write; list items are objects
// that start with their "id"; map layers are one array of cells per row; event scripts one object
// per line with the line's rendering in "text" (ignored when read); strings are UTF-8, converted
// from the project's code page, with the bytes it cannot map escaped (see StoredText.h). Chunks a
// record does not describe stand in their place as "#ID": "HEX". Where the stored bytes are not the
// ones the fields give (a script or a battle animation packed by another tool in a longer form),
// the stored bytes come along as hex, and are written back while the fields are unchanged.
//
// Reading a text builds the model through the same field descriptions, saves it, and checks that
// the model saves those bytes again: a text is taken only when it gives a file the model writes
// back identically. Binary -> text -> binary gives the bytes of a load and a save of the binary.

#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "core/Stream.h"

namespace tess {

class TLcfDataBase;
class TLcfMapTree;
class TLcfMap;
class TStoredText;

using TJson = nlohmann::ordered_json;

// A text refused: the file, the line and column (from 1) of the value, the path of members that
// leads to it ("heroes#11/3/name#1") and what is wrong.
class ETextFormError : public ETessError {
 public:
  ETextFormError(std::string file, int line, int column, std::string path, std::string problem);
  const std::string& File() const { return file_; }
  int Line() const { return line_; }
  int Column() const { return column_; }
  const std::string& Path() const { return path_; }
  const std::string& Problem() const { return problem_; }

 private:
  std::string file_;
  int line_, column_;
  std::string path_, problem_;
};

// The kinds of file, as the text's "file" member names them.
enum class TTextFileKind { DataBase, MapTree, Map };
const char* TextFileKindName(TTextFileKind kind);

// What script lines are rendered with: the project's database and map tree (each may be unset; the
// names then show as unknown).
struct TTextContext {
  const TLcfDataBase* database = nullptr;
  const TLcfMapTree* tree = nullptr;
};

// The top-level parts of the database text, in chunk order: the member and file names ("heroes")
// and chunk ids.
struct TDataBasePart {
  int32_t id;
  const char* name;
};
const std::vector<TDataBasePart>& DataBaseParts();

class TTextForm {
 public:
  // codePage: the project's, for the strings of the files written; a text names its own.
  TTextForm(const std::string& codePage, TTextContext context = {});
  ~TTextForm();

  // The text of a binary file, told by its magic string; raises as loading the file would (damage,
  // another kind of file).
  TJson FileJson(const Bytes& file);
  // The models as they save (a database is trimmed as its save trims it).
  TJson DataBaseJson(TLcfDataBase& db);
  TJson MapTreeJson(TLcfMapTree& tree);
  TJson MapJson(TLcfMap& map);

  // The bytes of a parsed text, by its "file" member. Raises TTextFieldError for a text it refuses.
  Bytes FileBytes(const TJson& text);

 private:
  std::unique_ptr<TStoredText> stored_;
  TTextContext context_;
};

// A refused value of a parsed text: the path of members and array positions that leads to it.
struct TTextFieldError {
  std::vector<std::string> path;
  std::string problem;
};

// The printed text: one member per line, except that arrays of numbers and small flat objects (a
// script line, an encounter, a music reference) stay on one line, so a changed cell or line is a
// one-line change.
std::string PrintText(const TJson& text);

// Parses a text file and converts it; every failure raises ETextFormError naming file, line, column
// and path.
Bytes TextToFile(const std::string& text, const std::string& fileName);
// Parses only; raises ETextFormError for a syntax error.
TJson ParseText(const std::string& text, const std::string& fileName);
// The line and column (from 1) where the value at path stands in text; 0, 0 when it is not found.
std::pair<int, int> LocateInText(const std::string& text, const std::vector<std::string>& path);
// ETextFormError for a field error of a text.
ETextFormError LocatedError(const std::string& text, const std::string& fileName, const TTextFieldError& error);

// The text of a binary file for people: PrintText of its JSON in the given code page.
std::string FileToText(const Bytes& file, const std::string& codePage, TTextContext context = {});

}  // namespace tess
