#include "textform/ProjectText.h"

#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <memory>

#include "core/AtomicFile.h"
#include "core/PathUtils.h"
#include "core/Stream.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "textform/TextForm.h"

namespace tess {

namespace {

std::string Join(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string AsText(const Bytes& b) { return std::string(b.begin(), b.end()); }

// The chunk id in a member key "name#12" (0 for none): the order members stand in.
int64_t KeyId(const std::string& key) {
  const size_t hash = key.find('#');
  if (hash == std::string::npos) return 0;
  int64_t id = 0;
  for (size_t i = hash + 1; i < key.size() && key[i] >= '0' && key[i] <= '9' && id < 1000000; ++i)
    id = id * 10 + (key[i] - '0');
  return id;
}

bool IsMapFileName(const std::string& name, const char* extension) {
  return WildcardMatchNoCase(std::string("Map????.") + extension, name) &&
         std::all_of(name.begin() + 3, name.begin() + 7, [](char c) { return c >= '0' && c <= '9'; });
}

void MakeFolder(const std::string& path) {
  if (IsFolder(path)) return;
  if (::mkdir(path.c_str(), 0777) != 0 && !IsFolder(path)) throw EFileError("Cannot create folder \"" + path + "\".");
}

// Writes a text unless the file already holds it.
void PutText(TProjectTextReport& report, const std::string& path, const std::string& shown, const std::string& text) {
  ++report.files;
  if (IsFile(path)) {
    try {
      if (AsText(ReadWholeFile(path)) == text) {
        ++report.unchanged;
        return;
      }
    } catch (const EFileError&) {
      // Written anew below.
    }
  }
  WriteFileAtomic(path, text);
  report.written.push_back(shown);
}

}  // namespace

TProjectTextReport DumpProject(const std::string& projectFolder, const std::string& textFolder,
                               const std::string& codePage) {
  TProjectTextReport report;
  auto fail = [&](const std::string& file, const std::exception& e) {
    report.failures.push_back(file + ": " + e.what());
  };

  std::unique_ptr<TLcfDataBase> db;
  try {
    auto loaded = std::make_unique<TLcfDataBase>();
    loaded->LoadFromMemory(ReadWholeFile(PathInFolder(projectFolder, kDataBaseFileName)), true);
    db = std::move(loaded);
  } catch (const ETessError& e) {
    fail(kDataBaseFileName, e);
  }
  std::unique_ptr<TLcfMapTree> tree;
  try {
    auto loaded = std::make_unique<TLcfMapTree>();
    loaded->LoadFromBytes(ReadWholeFile(PathInFolder(projectFolder, kMapTreeFileName)));
    tree = std::move(loaded);
  } catch (const ETessError& e) {
    fail(kMapTreeFileName, e);
  }

  TTextContext context{db.get(), tree.get()};
  TTextForm form(codePage, context);
  const std::string dbFolder = Join(textFolder, kTextDataBaseFolder), mapsFolder = Join(textFolder, kTextMapsFolder);
  try {
    MakeFolder(textFolder);
    MakeFolder(dbFolder);
    MakeFolder(mapsFolder);
  } catch (const ETessError& e) {
    fail(textFolder, e);
    return report;
  }

  if (db) {
    try {
      TJson whole = form.DataBaseJson(*db);
      TJson header = TJson::object();
      header["file"] = whole["file"];
      header["codePage"] = whole["codePage"];
      TJson kept = header;
      for (auto it = whole.begin(); it != whole.end(); ++it) {
        if (it.key() == "file" || it.key() == "codePage") continue;
        if (it.key()[0] == '#') {
          kept[it.key()] = *it;
          continue;
        }
        TJson part = header;
        part[it.key()] = *it;
        const std::string name = it.key().substr(0, it.key().find('#')) + ".json";
        PutText(report, Join(dbFolder, name), std::string(kTextDataBaseFolder) + "/" + name, PrintText(part));
      }
      const std::string keptName = std::string(kTextKeptFile) + ".json";
      if (kept.size() > 2) {
        PutText(report, Join(dbFolder, keptName), std::string(kTextDataBaseFolder) + "/" + keptName, PrintText(kept));
      } else if (IsFile(Join(dbFolder, keptName))) {
        std::remove(Join(dbFolder, keptName).c_str());
        report.removed.push_back(std::string(kTextDataBaseFolder) + "/" + keptName);
      }
    } catch (const ETessError& e) {
      fail(kDataBaseFileName, e);
    }
  }
  if (tree) {
    try {
      PutText(report, Join(textFolder, kTextMapTreeFile), kTextMapTreeFile, PrintText(form.MapTreeJson(*tree)));
    } catch (const ETessError& e) {
      fail(kMapTreeFileName, e);
    }
  }

  std::vector<std::string> texts;
  TLcfMap map;
  for (const std::string& name : ListFolder(projectFolder)) {
    if (!IsMapFileName(name, "lmu")) continue;
    const std::string textName = name.substr(0, 7) + ".json";
    // A file saved as "MAP0001.LMU" is still map 1: its text takes the usual spelling.
    std::string shown = "Map" + name.substr(3, 4) + ".json";
    texts.push_back(shown);
    try {
      map.LoadFromBytes(ReadWholeFile(Join(projectFolder, name)));
      PutText(report, Join(mapsFolder, shown), std::string(kTextMapsFolder) + "/" + shown,
              PrintText(form.MapJson(map)));
    } catch (const ETessError& e) {
      fail(name, e);
    }
    (void)textName;
  }
  // Texts of maps the project no longer has would bring them back at the next load.
  for (const std::string& name : ListFolder(mapsFolder)) {
    if (!IsMapFileName(name, "json") || std::find(texts.begin(), texts.end(), name) != texts.end()) continue;
    if (std::remove(Join(mapsFolder, name).c_str()) == 0)
      report.removed.push_back(std::string(kTextMapsFolder) + "/" + name);
  }
  return report;
}

namespace {

// A binary to write: its name in the project and its bytes.
struct TOutput {
  std::string name;
  Bytes bytes;
};

// The database's part files merged into one text, and converted.
void LoadDataBase(const std::string& folder, std::vector<TOutput>& outputs, TProjectTextReport& report) {
  struct TSource {
    std::string shown, text;
  };
  std::vector<TSource> sources;
  std::map<std::string, size_t> origin;  // member -> source
  std::vector<std::pair<std::string, TJson>> members;
  TJson header = TJson::object();
  bool broken = false;
  for (const std::string& name : ListFolder(folder)) {
    if (name.size() < 6 || name.compare(name.size() - 5, 5, ".json") != 0 || IsSaveTemporaryName(name)) continue;
    const std::string shown = std::string(kTextDataBaseFolder) + "/" + name;
    ++report.files;
    try {
      sources.push_back({shown, AsText(ReadWholeFile(Join(folder, name)))});
      TJson part = ParseText(sources.back().text, shown);
      if (!part.is_object() || !part.contains("file") || part["file"] != "database" || !part.contains("codePage"))
        throw ETextFormError(shown, 1, 1, "", "a part of the database names \"file\": \"database\" and its code page");
      if (header.empty()) {
        header["file"] = part["file"];
        header["codePage"] = part["codePage"];
      } else if (header["codePage"] != part["codePage"]) {
        auto [line, column] = LocateInText(sources.back().text, {"codePage"});
        throw ETextFormError(
            shown, line, column, "codePage",
            "the parts of the database name different code pages (" + header["codePage"].dump() + " before)");
      }
      for (auto it = part.begin(); it != part.end(); ++it) {
        if (it.key() == "file" || it.key() == "codePage") continue;
        if (origin.count(it.key())) {
          auto [line, column] = LocateInText(sources.back().text, {it.key()});
          throw ETextFormError(shown, line, column, it.key(),
                               "the member stands in " + sources[origin[it.key()]].shown + " too");
        }
        origin[it.key()] = sources.size() - 1;
        members.emplace_back(it.key(), std::move(*it));
      }
    } catch (const ETessError& e) {
      report.failures.push_back(e.what());
      broken = true;
    }
  }
  if (broken) return;
  if (sources.empty()) {
    report.failures.push_back(std::string(kTextDataBaseFolder) + "/: no part of the database is there");
    return;
  }
  std::stable_sort(members.begin(), members.end(),
                   [](const auto& a, const auto& b) { return KeyId(a.first) < KeyId(b.first); });
  TJson merged = header;
  for (auto& [key, value] : members) merged[key] = std::move(value);
  try {
    TTextForm form(header["codePage"].get<std::string>());
    outputs.push_back({kDataBaseFileName, form.FileBytes(merged)});
  } catch (const TTextFieldError& e) {
    if (e.path.empty() || !origin.count(e.path[0])) {
      report.failures.push_back(std::string(kTextDataBaseFolder) + "/: " + e.problem);
    } else {
      const TSource& source = sources[origin[e.path[0]]];
      report.failures.push_back(LocatedError(source.text, source.shown, e).what());
    }
  } catch (const std::exception& e) {
    report.failures.push_back(std::string(kTextDataBaseFolder) + "/: " + e.what());
  }
}

// One text file converted; expected: the magic string its binary must carry.
void LoadOne(const std::string& path, const std::string& shown, const std::string& target, const char* expected,
             std::vector<TOutput>& outputs, TProjectTextReport& report) {
  ++report.files;
  try {
    Bytes bytes = TextToFile(AsText(ReadWholeFile(path)), shown);
    TByteReader r(bytes.data(), bytes.size());
    if (r.ReadString() != expected)
      throw ETextFormError(shown, 1, 1, "file", std::string("this file holds the text of a ") + expected + " file");
    outputs.push_back({target, std::move(bytes)});
  } catch (const ETessError& e) {
    report.failures.push_back(e.what());
  }
}

}  // namespace

TProjectTextReport LoadProject(const std::string& textFolder, const std::string& projectFolder) {
  TProjectTextReport report;
  if (!IsFolder(projectFolder)) {
    report.failures.push_back(projectFolder + ": no such project folder");
    return report;
  }
  // Every text is converted and checked before anything is written.
  std::vector<TOutput> outputs;
  LoadDataBase(Join(textFolder, kTextDataBaseFolder), outputs, report);
  LoadOne(Join(textFolder, kTextMapTreeFile), kTextMapTreeFile, kMapTreeFileName, kMapTreeMagic, outputs, report);
  const std::string mapsFolder = Join(textFolder, kTextMapsFolder);
  for (const std::string& name : ListFolder(mapsFolder)) {
    if (!IsMapFileName(name, "json")) continue;
    LoadOne(Join(mapsFolder, name), std::string(kTextMapsFolder) + "/" + name, "Map" + name.substr(3, 4) + ".lmu",
            kMapMagic, outputs, report);
  }
  if (!report.Ok()) {
    report.failures.push_back("nothing was written");
    return report;
  }

  // Only the files whose bytes differ, all put on the disk before any is renamed into place.
  std::vector<std::unique_ptr<TAtomicFile>> staged;
  std::vector<std::string> names;
  try {
    for (const TOutput& out : outputs) {
      const std::string path = PathInFolder(projectFolder, out.name);
      if (IsFile(path)) {
        try {
          if (ReadWholeFile(path) == out.bytes) {
            ++report.unchanged;
            continue;
          }
        } catch (const EFileError&) {
        }
      }
      staged.push_back(std::make_unique<TAtomicFile>(path));
      staged.back()->Append(out.bytes);
      staged.back()->Finish();
      names.push_back(out.name);
    }
  } catch (const ETessError& e) {
    report.failures.push_back(e.what());
    report.failures.push_back("nothing was written");
    return report;
  }
  for (size_t i = 0; i < staged.size(); ++i) {
    try {
      staged[i]->Publish(i + 1 == staged.size());
      report.written.push_back(names[i]);
    } catch (const ETessError& e) {
      report.failures.push_back(e.what());
      std::string left;
      for (size_t j = i; j < names.size(); ++j) left += (left.empty() ? "" : ", ") + names[j];
      report.failures.push_back("not written: " + left);
      break;
    }
  }
  return report;
}

}  // namespace tess
