#include "tools/formcheck/FormCheck.h"

#include <QApplication>
#include <cstdio>
#include <functional>
#include <memory>
#include <sstream>

#include "core/EntryCaption.h"
#include "database/DataBaseObj.h"
#include "editor/database/FormDataBase.h"
#include "editor/database/FormDataBaseBase.h"
#include "editor/events/EventCommandWindows.h"
#include "editor/events/FormEDEvent.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "platform/TextCodec.h"
#include "script/CommandSchema.h"
#include "script/EventCommandLines.h"
#include "script/EventCommands.h"
#include "script/ScriptEditModel.h"
#include "ui/script/CommandDialogs.h"
#include "ui/script/FormEvCmdBase.h"

namespace tess {

namespace {

std::string Folder(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// The project's database and map tree, with each failure told.
struct TProjectFiles {
  TLcfDataBase database;
  TLcfMapTree tree;
  // Loads both; a failure is said under the check's name.
  bool Load(const std::string& folder, const char* check, std::ostream& out) {
    std::ostringstream said;
    if (Read(folder, said)) return true;
    out << check << ": the project could not be read\n" << said.str();
    return false;
  }
  bool Read(const std::string& folder, std::ostream& out) {
    std::string error;
    if (!database.LoadDatabase(folder, &error)) {
      out << kDataBaseFileName << ": " << error << "\n";
      return false;
    }
    tree.projectFolder = folder;
    try {
      tree.LoadTree();
      tree.RequireRoot();
    } catch (const std::exception& e) {
      out << kMapTreeFileName << ": " << e.what() << "\n";
      return false;
    }
    return true;
  }
};

std::string Describe(const TLcfEventScriptLine& line) {
  std::string s = std::to_string(line.code) + " depth " + std::to_string(line.indent) + " \"" + line.text + "\" (";
  for (size_t i = 0; i < line.params.size(); ++i) s += (i ? ", " : "") + std::to_string(line.params[i]);
  return s + ")";
}

// Whether after equals before but for missing parameters of an older, shorter line: written as 0,
// or as the command's form reads that older layout (a Key Input line older than its direction keys
// takes them from its one all-directions key).
bool SameLine(const TLcfEventScriptLine& before, const TLcfEventScriptLine& after, int depthShift) {
  if (before.code != after.code || before.indent - depthShift != after.indent || before.text != after.text)
    return false;
  if (after.params.size() < before.params.size()) return false;
  bool padded = true;
  for (size_t i = 0; i < after.params.size(); ++i)
    padded = padded && after.params[i] == (i < before.params.size() ? before.params[i] : 0);
  if (padded) return true;
  if (after.params.size() == before.params.size()) return false;
  return TCommandForm(before).ToLine().params == after.params;
}

// The difference between the lines given and those a window gave back, or "" when they are the same.
std::string Difference(const TLcfEventScriptList& given, const TLcfEventScriptList& back) {
  const int shift = given.Count() > 0 ? given.LineAt(0)->indent : 0;
  for (int i = 0; i < std::max(given.Count(), back.Count()); ++i) {
    const TLcfEventScriptLine* a = given.LineAt(i);
    const TLcfEventScriptLine* b = back.LineAt(i);
    if (a && b && SameLine(*a, *b, shift)) continue;
    std::string s = "line +" + std::to_string(i) + ": ";
    s += a ? Describe(*a) : std::string("(none)");
    s += " became ";
    s += b ? Describe(*b) : std::string("(none)");
    return s;
  }
  return "";
}

// Walks every command line of a script.
class TCommandWalker {
 public:
  TCommandWalker(TFormCheckResult& result, std::ostream& out, int shown) : result_(result), out_(out), shown_(shown) {}

  void Script(const std::string& place, const TLcfEventScriptList& lines, TEventScriptConverter& converter,
              TScriptKind kind) {
    TLcfEventScriptList copy = lines;
    ScriptEditModel model(converter, kind);
    model.Attach(&copy);
    for (int row = 0; row < copy.Count(); ++row) {
      const TLcfEventScriptLine* line = copy.LineAt(row);
      const TEventCommandInfo* info = FindEventCommand(line->code);
      // Structural lines belong to the command above them; the empty line and the script's end are
      // not commands.
      if (line->code == 0 || line->code == 10 || (info && info->IsStructural())) continue;
      model.SetItemIndex(row);
      const int last = model.SelStart() == row ? model.SelEnd() : row;
      TLcfEventScriptList given;
      for (int i = row; i <= last; ++i) given.AppendLine(*copy.LineAt(i));
      Check(place + ", line " + std::to_string(row + 1), given, converter);
    }
  }

 private:
  void Check(const std::string& place, const TLcfEventScriptList& given, TEventScriptConverter& converter) {
    ++result_.checked;
    const int32_t code = given.LineAt(0)->code;
    TCommandDialogContext context{converter, nullptr};
    TLcfEventScriptList back;
    if (std::unique_ptr<TFormEvCmdBase> window = MakeCommandDialog(code, given, context)) {
      window->Accept();
      back = window->Lines();
    } else {
      const TEventCommandInfo* info = FindEventCommand(code);
      if (!info || info->hasDialog || !RebuildWithoutDialog(given, back)) {
        ++result_.notOpened;
        return;
      }
    }
    const std::string difference = Difference(given, back);
    if (difference.empty()) {
      ++result_.identical;
      return;
    }
    if (++result_.changed <= shown_) out_ << place << ": " << difference << "\n";
  }

  TFormCheckResult& result_;
  std::ostream& out_;
  int shown_;
};

// Loads every map of the tree in turn and calls visit on it; a map that fails is named in details
// and marks the result failed.
void ForEachMap(const TProjectFiles& files, const std::string& folder, std::ostream& details, TFormCheckResult& result,
                const std::function<void(const TLcfMapTreeItem&, TLcfMap&)>& visit) {
  TLcfMap map;
  for (int i = 0; i < files.tree.Count(); ++i) {
    const TLcfMapTreeItem* node = files.tree.ItemAt(i);
    if (!node->IsMap()) continue;
    try {
      map.LoadFromProject(folder, node->Id());
    } catch (const std::exception& e) {
      details << MapFileName(node->Id()) << ": " << e.what() << "\n";
      result.failed = true;
      continue;
    }
    visit(*node, map);
  }
}

std::string Named(const char* kind, int32_t id, const std::string& name) {
  return std::string(kind) + " " + TextCodec::Current().ToUnicode(EntryCaption(id, name)).toStdString();
}

}  // namespace

TFormCheckResult CheckCommands(const std::string& projectFolder, std::ostream& out, int shownDifferences) {
  RegisterEventCommandWindows();
  const std::string folder = Folder(projectFolder);
  TFormCheckResult result;
  TProjectFiles files;
  std::ostringstream details;
  if (!files.Load(folder, "commands", out)) {
    result.failed = true;
    return result;
  }
  TCommandWalker walker(result, details, shownDifferences);
  TEventScriptConverter converter(files.database);
  converter.MapTree = &files.tree;
  ForEachMap(files, folder, details, result, [&](const TLcfMapTreeItem& node, TLcfMap& map) {
    converter.Map = &map;
    for (int e = 0; e < map.events.Count(); ++e) {
      const TLcfEventItem* event = map.events.ItemAt(e);
      converter.EventId = static_cast<uint32_t>(event->Id());
      converter.Event = event;
      for (int p = 0; p < event->pages.Count(); ++p)
        walker.Script(Named("Map", node.Id(), node.name) + ", " + Named("Event", event->Id(), event->name) + ", Page " +
                          std::to_string(event->pages.ItemAt(p)->Id()),
                      event->pages.ItemAt(p)->lines, converter, TScriptKind::MapEvent);
    }
  });
  converter.Map = nullptr;
  converter.Event = nullptr;
  converter.EventId = 0;
  for (int i = 0; i < files.database.commonEvents.Count(); ++i) {
    const TLcfCommonEventItem* event = files.database.commonEvents.ItemAt(i);
    walker.Script(Named("Common Event", event->Id(), event->name), event->lines, converter, TScriptKind::CommonEvent);
  }
  for (int i = 0; i < files.database.troops.Count(); ++i) {
    const TLcfMonGroupItem* troop = files.database.troops.ItemAt(i);
    converter.Troop = troop;
    for (int p = 0; p < troop->pages.Count(); ++p)
      walker.Script(Named("Troop", troop->Id(), troop->name) + ", Page " + std::to_string(troop->pages.ItemAt(p)->Id()),
                    troop->pages.ItemAt(p)->lines, converter, TScriptKind::TroopPage);
  }
  out << result.checked << " commands, " << result.identical << " identical, " << result.changed << " changed, "
      << result.notOpened << " without a dialog yet\n"
      << details.str();
  return result;
}

TFormCheckResult CheckDatabase(const std::string& projectFolder, std::ostream& out, int shownDifferences) {
  const std::string folder = Folder(projectFolder);
  TFormCheckResult result;
  TProjectFiles files;
  std::ostringstream details;
  if (!files.Load(folder, "database", out)) {
    result.failed = true;
    return result;
  }
  // Copies, not saves: a save counts itself in the system record, which would differ every time.
  const Bytes before = files.database.SaveToMemory(TCatalogVarData::Mode::Copy);
  TLcfMap map;
  TFormDataBase window(files.database, files.tree, map, folder, folder, nullptr);
  std::string withoutFields;
  int pages = 0;
  for (int tab = 0; tab < TFormDataBase::kTabCount; ++tab) {
    std::unique_ptr<TFormDataBaseBase> page(window.MakePage(tab, nullptr));
    page->show();
    ++pages;
    if (!page->EditsFields()) {
      withoutFields += (withoutFields.empty() ? "" : ", ") + std::string(TFormDataBase::TabCaption(tab));
      ++result.notOpened;
      continue;
    }
    for (int i = 0; i < page->EntryCount(); ++i) {
      page->ShowEntry(i);
      ++result.checked;
    }
  }
  const Bytes after = files.database.SaveToMemory(TCatalogVarData::Mode::Copy);
  if (after == before) {
    result.identical = result.checked;
  } else {
    result.changed = 1;
    size_t at = 0;
    while (at < before.size() && at < after.size() && before[at] == after[at]) ++at;
    if (shownDifferences > 0)
      details << kDataBaseFileName << ": the bytes differ from offset " << at << " (" << before.size()
              << " bytes before, " << after.size() << " after)\n";
  }
  out << pages << " pages, " << result.checked << " entries shown, database "
      << (result.changed ? "changed" : "identical") << ", " << result.notOpened << " pages without fields yet"
      << (withoutFields.empty() ? "" : " (" + withoutFields + ")") << "\n"
      << details.str();
  return result;
}

TFormCheckResult CheckEvents(const std::string& projectFolder, std::ostream& out, int shownDifferences) {
  RegisterEventCommandWindows();
  const std::string folder = Folder(projectFolder);
  TFormCheckResult result;
  TProjectFiles files;
  std::ostringstream details;
  if (!files.Load(folder, "events", out)) {
    result.failed = true;
    return result;
  }
  int maps = 0, changedMaps = 0, pages = 0;
  ForEachMap(files, folder, details, result, [&](const TLcfMapTreeItem& node, TLcfMap& map) {
    ++maps;
    Bytes before;
    map.SaveTo(before, TCatalogVarData::Mode::Copy);
    int changedEvents = 0;
    for (int e = 0; e < map.events.Count(); ++e) {
      const int32_t id = map.events.ItemAt(e)->Id();
      // As the event manager opens it: a working copy, applied back with OK.
      TLcfEventItem copy;
      copy.Reset();
      copy.SetId(id);
      copy.Assign(*map.events.ItemAt(e));
      const Bytes eventBefore = map.events.ItemAt(e)->Encoded();
      TEventEditorContext context;
      context.database = &files.database;
      context.mapTree = &files.tree;
      context.map = &map;
      TFormEDEvent window(context, copy, false, [&map, id](const TLcfEventItem& edited) {
        TLcfEventItem* target = map.events.Obtain(id);
        const int32_t x = edited.x, y = edited.y;
        target->Assign(edited);
        target->x = x;
        target->y = y;
      });
      for (int p = 0; p < copy.pages.Count(); ++p, ++pages) window.ShowPage(p);
      window.Apply();
      ++result.checked;
      if (map.events.FindById(id)->Encoded() == eventBefore) {
        ++result.identical;
      } else if (++changedEvents, ++result.changed <= shownDifferences) {
        details << Named("Map", node.Id(), node.name) << ", " << Named("Event", id, map.events.FindById(id)->name)
                << ": changed\n";
      }
    }
    Bytes after;
    map.SaveTo(after, TCatalogVarData::Mode::Copy);
    if (after != before) {
      ++changedMaps;
      if (changedEvents == 0) ++result.changed;
      details << MapFileName(node.Id()) << ": the map's bytes differ\n";
    }
  });
  out << result.checked << " events (" << pages << " pages) on " << maps << " maps, " << result.identical
      << " identical, " << result.changed << " changed; " << (maps - changedMaps) << " of " << maps
      << " maps identical\n"
      << details.str();
  return result;
}

}  // namespace tess
