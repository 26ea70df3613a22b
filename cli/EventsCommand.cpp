#include "cli/EventsCommand.h"

#include <algorithm>
#include <charconv>
#include <ostream>

#include "cli/MapChoice.h"
#include "core/Errors.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "platform/TextCodec.h"
#include "script/EventScriptConverter.h"

namespace tess::cli {

namespace {

constexpr const char* kUsage = "usage: tessaly-cli events PROJECT_DIR [--map N] [--common] [--troops]\n";

// "%.4d:%s", as lists show entries.
std::string Entry(int32_t id, const std::string& name) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%.4d:", id);
  return digits + name;
}

// Collects the text in the project's code page and hands it out as UTF-8.
class TScriptWriter {
 public:
  TScriptWriter(std::ostream& out, const TextCodec& codec) : out_(out), codec_(codec) {}
  ~TScriptWriter() { Flush(); }

  void Script(const std::string& header, const TLcfEventScriptList& lines, const TEventScriptConverter& converter) {
    text_ += header;
    text_ += '\n';
    for (int i = 0; i < lines.Count(); ++i) {
      converter.AppendLineText(text_, *lines.LineAt(i));
      text_ += '\n';
    }
    text_ += '\n';
    if (text_.size() > (1u << 20)) Flush();
  }

  void Flush() {
    const bool ascii =
        std::all_of(text_.begin(), text_.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
      out_ << text_;
    } else {
      const QByteArray utf8 = codec_.ToUnicode(text_).toUtf8();
      out_.write(utf8.constData(), utf8.size());
    }
    text_.clear();
  }

 private:
  std::ostream& out_;
  const TextCodec& codec_;
  std::string text_;
};

bool ParseId(const std::string& word, int32_t& id) {
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), id);
  return ec == std::errc() && end == word.data() + word.size() && id > 0;
}

}  // namespace

int Events(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string folder;
  int32_t onlyMap = 0;
  bool common = false, troops = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--map" && hasValue) {
      if (!ParseId(args[++i], onlyMap)) {
        err << "tessaly-cli: --map takes a map id from 1\n";
        return 2;
      }
    } else if (a == "--common") {
      common = true;
    } else if (a == "--troops") {
      troops = true;
    } else if (a.rfind("--", 0) != 0 && folder.empty()) {
      folder = a;
    } else {
      err << kUsage;
      return 2;
    }
  }
  if (folder.empty()) {
    err << kUsage;
    return 2;
  }
  if (folder.back() != '/') folder += '/';
  const bool everything = onlyMap == 0 && !common && !troops;
  const bool maps = everything || onlyMap != 0;

  TLcfDataBase db;
  std::string error;
  if (!db.LoadDatabase(folder, &error, TErrorWording::Plain)) {
    err << "tessaly-cli: " << kDataBaseFileName << ": " << error << "\n";
    return 1;
  }
  TLcfMapTree tree;
  tree.projectFolder = folder;
  bool haveTree = false;
  try {
    tree.LoadTree();
    tree.RequireRoot();
    haveTree = true;
  } catch (const ETessError& e) {
    // The map names of common events and troop pages show "?" without the tree.
    if (maps) {
      err << "tessaly-cli: " << kMapTreeFileName << ": " << e.Plain() << "\n";
      return 1;
    }
  }

  TScriptWriter writer(out, TextCodec::Current());
  TEventScriptConverter converter(db);
  converter.MapTree = haveTree ? &tree : nullptr;
  int failures = 0;

  if (maps) {
    std::vector<int32_t> ids;
    for (int i = 0; i < tree.Count(); ++i)
      if (tree.ItemAt(i)->IsMap() && (onlyMap == 0 || tree.ItemAt(i)->Id() == onlyMap))
        ids.push_back(tree.ItemAt(i)->Id());
    if (onlyMap != 0 && ids.empty()) {
      err << "tessaly-cli: " << MapIdProblem(folder, onlyMap) << "\n";
      return 1;
    }
    TLcfMap map;
    for (int32_t id : ids) {
      try {
        map.LoadFromProject(folder, id);
      } catch (const ETessError& e) {
        writer.Flush();
        err << "tessaly-cli: " << MapFileName(id) << ": " << e.Plain() << "\n";
        ++failures;
        continue;
      }
      const std::string mapEntry = "Map " + Entry(id, tree.FindById(id)->name) + ", Event ";
      converter.Map = &map;
      for (int e = 0; e < map.events.Count(); ++e) {
        const TLcfEventItem* event = map.events.ItemAt(e);
        converter.EventId = static_cast<uint32_t>(event->Id());
        converter.Event = event;
        char position[40];
        std::snprintf(position, sizeof position, " (%.3d,%.3d), Page ", event->x, event->y);
        for (int p = 0; p < event->pages.Count(); ++p) {
          const TLcfEventPageItem* page = event->pages.ItemAt(p);
          writer.Script(mapEntry + Entry(event->Id(), event->name) + position + std::to_string(page->Id()), page->lines,
                        converter);
        }
      }
    }
    converter.Map = nullptr;
    converter.Event = nullptr;
    converter.EventId = 0;
  }
  if (everything || common) {
    for (int i = 0; i < db.commonEvents.Count(); ++i) {
      const TLcfCommonEventItem* event = db.commonEvents.ItemAt(i);
      writer.Script("Common Event " + Entry(event->Id(), event->name), event->lines, converter);
    }
  }
  if (everything || troops) {
    for (int i = 0; i < db.troops.Count(); ++i) {
      const TLcfMonGroupItem* troop = db.troops.ItemAt(i);
      converter.Troop = troop;
      for (int p = 0; p < troop->pages.Count(); ++p)
        writer.Script(
            "Troop " + Entry(troop->Id(), troop->name) + ", Page " + std::to_string(troop->pages.ItemAt(p)->Id()),
            troop->pages.ItemAt(p)->lines, converter);
    }
    converter.Troop = nullptr;
  }
  writer.Flush();
  return failures == 0 ? 0 : 1;
}

}  // namespace tess::cli
