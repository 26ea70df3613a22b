#include "core/Unlha.h"

#include <limits.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <vector>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/LhaArchive.h"
#include "core/NameEncoding.h"
#include "core/PathUtils.h"

namespace tess {

namespace {

// A failure that ends the command with a result code and a message for the log.
struct TUnlhaError {
  int code;
  std::string message;
};

struct TOptions {
  bool recurse = false;
  bool folderEntries = false;
};

// One thing to store: a file or a folder entry.
struct TItem {
  std::string archivePath;  // relative, '/'-separated, no trailing '/'
  std::string source;       // full path on disk
  bool folder = false;
};

std::string Slashes(std::string text) {
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

bool EndsInSeparator(const std::string& text) { return !text.empty() && (text.back() == '/' || text.back() == '\\'); }

std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, inWord = false;
  for (char ch : line) {
    if (ch == '"') {
      quoted = !quoted;
      inWord = true;
    } else if (!quoted && (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n')) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += ch;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

bool IsLink(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// The path with every link resolved, or empty when it leads nowhere.
std::string RealPath(const std::string& path) {
  char buffer[PATH_MAX];
  return ::realpath(path.c_str(), buffer) ? std::string(buffer) : std::string();
}

// Whether path is folder or lies below it (both resolved).
bool IsWithin(const std::string& path, const std::string& folder) {
  if (folder == "/") return true;
  return path == folder ||
         (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/');
}

uint32_t ModificationTime(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || st.st_mtime < 0) return 0;
  return static_cast<uint32_t>(std::min<int64_t>(st.st_mtime, 0xFFFFFFFFll));
}

// Collects the items in the order they are named; a later item with the same archive path
// (compared without regard to case) replaces the earlier one in place.
class TCollector {
 public:
  TCollector(const TOptions& options, std::string& log) : options_(options), log_(log) {}

  void SetBase(const std::string& folder) { base_ = WithTrailingBackslash(Slashes(folder)); }

  void AddName(const std::string& rawName) {
    const std::string name = Slashes(rawName);
    // Names are read below the base folder; a name that starts at the root would leave it.
    if (!name.empty() && (name[0] == '/' || (name.size() >= 2 && name[1] == ':')))
      throw TUnlhaError{kUnlhaBadCommand, "Names may not be absolute paths: " + rawName};
    const size_t slash = name.find_last_of('/');
    const std::string parent = slash == std::string::npos ? std::string() : name.substr(0, slash);
    const std::string last = slash == std::string::npos ? name : name.substr(slash + 1);
    if (HasWildcard(last)) {
      auto folder = ResolvePathNoCase(base_, parent);
      if (!folder || !IsFolder(*folder)) return Skip(rawName);
      for (const std::string& entry : ListFolder(*folder)) {
        const std::string full = WithTrailingBackslash(*folder) + entry;
        if (WildcardMatchNoCase(last, entry) && IsFile(full) && !IsSaveTemporaryName(entry) && MayFollow(full))
          Add(RelativeName(full), full, false);
      }
      return;
    }
    auto found = ResolvePathNoCase(base_, name);
    if (!found || (!IsFile(*found) && !IsFolder(*found))) return Skip(rawName);
    if (!MayFollow(*found)) return;
    if (IsFile(*found)) {
      Add(RelativeName(*found), *found, false);
    } else {
      std::set<std::pair<dev_t, ino_t>> visiting;
      AddFolder(*found, visiting);
    }
  }

  const std::vector<TItem>& Items() const { return items_; }

  // Links that lead out of the folder being packed, or back into a folder that holds them, are
  // refused together, each named, before anything is written.
  void RefuseLinks() const {
    std::string message;
    auto list = [&](const std::vector<std::string>& names, const char* what) {
      if (names.empty()) return;
      message += message.empty() ? "" : "\n";
      message += what;
      for (size_t i = 0; i < names.size(); ++i) message += (i ? ", " : " ") + names[i];
      message += ".";
    };
    list(outside_, "Symbolic links lead outside the folder being packed:");
    list(loops_, "Symbolic links lead back into a folder that holds them:");
    if (!message.empty()) throw TUnlhaError{kUnlhaBadCommand, message};
  }

 private:
  // A name that matches nothing is passed over: a runtime package of an older kind lacks some of
  // the material folders that the game disk names.
  void Skip(const std::string& name) { log_ += "Skipped " + ShownPath(name) + " (not found)\n"; }

  // Whether a file or folder found below the base may be packed: what a link leads to must lie
  // inside the base folder (the link is then packed as what it leads to), and a folder link must
  // not lead to a folder that holds it. A path that is no link, below a base that is none, is
  // always inside.
  bool MayFollow(const std::string& path) {
    const std::string real = RealPath(path);
    const std::string root = RealPath(base_.empty() ? std::string(".") : base_);
    if (real.empty() || root.empty()) return true;  // reported as not found or unreadable later
    const std::string shown = RelativeName(path);
    if (!IsWithin(real, root)) {
      outside_.push_back(shown + " (" + real + ")");
      return false;
    }
    if (IsLink(path) && IsFolder(path)) {
      std::string parent = path;
      while (!parent.empty() && parent.back() == '/') parent.pop_back();
      parent = RealPath(parent.substr(0, parent.find_last_of('/') + 1));
      if (!parent.empty() && IsWithin(parent, real)) {
        loops_.push_back(shown);
        return false;
      }
    }
    return true;
  }

  // The archive name of a resolved path: the part below the current base folder, or for names
  // outside it, the path without its root. Parent references are never stored.
  std::string RelativeName(const std::string& full) const {
    std::string rel = full;
    if (!base_.empty() && rel.compare(0, base_.size(), base_) == 0) rel = rel.substr(base_.size());
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= rel.size()) {
      size_t slash = rel.find('/', start);
      if (slash == std::string::npos) slash = rel.size();
      const std::string part = rel.substr(start, slash - start);
      start = slash + 1;
      if (part.empty() || part == ".") continue;
      if (part == "..") throw TUnlhaError{kUnlhaBadCommand, "Names may not lead out of their folder: " + full};
      parts.push_back(part);
    }
    std::string out;
    for (const std::string& part : parts) out += (out.empty() ? "" : "/") + part;
    if (out.empty()) throw TUnlhaError{kUnlhaBadCommand, "Nothing to name in the archive: " + full};
    return out;
  }

  void AddFolder(const std::string& folder, std::set<std::pair<dev_t, ino_t>>& visiting) {
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0) return;
    // A folder linked into itself is stored once, not forever.
    if (!visiting.insert({st.st_dev, st.st_ino}).second) return;
    if (options_.folderEntries) Add(RelativeName(folder), folder, true);
    if (options_.recurse) {
      for (const std::string& entry : ListFolder(folder)) {
        const std::string full = WithTrailingBackslash(folder) + entry;
        if (IsSaveTemporaryName(entry)) continue;  // left by a save that died
        if (IsLink(full) && !MayFollow(full)) continue;
        if (IsFile(full))
          Add(RelativeName(full), full, false);
        else if (IsFolder(full))
          AddFolder(full, visiting);
      }
    }
    visiting.erase({st.st_dev, st.st_ino});
  }

  // Entries are named in the project's code page, as the game's own system names its files after
  // unpacking; names on disk here are usually UTF-8.
  void Add(const std::string& diskPath, const std::string& source, bool folder) {
    const std::string archivePath = StoredPathOf(diskPath);
    const std::string key = LowerAscii(archivePath);
    auto it = index_.find(key);
    if (it != index_.end()) {
      items_[it->second] = {archivePath, source, folder};
      return;
    }
    index_[key] = items_.size();
    items_.push_back({archivePath, source, folder});
  }

  TOptions options_;
  std::string& log_;
  std::string base_;
  std::vector<TItem> items_;
  std::map<std::string, size_t> index_;
  std::vector<std::string> outside_;
  std::vector<std::string> loops_;
};

void ReadResponseFile(const std::string& path, TCollector& collector) {
  Bytes text;
  try {
    text = ReadWholeFile(path);
  } catch (const ETessError&) {
    throw TUnlhaError{kUnlhaNotFound, "Cannot read the response file " + path};
  }
  std::string line;
  auto takeLine = [&] {
    // One entry per line; surrounding blanks and quotes are not part of it.
    size_t b = line.find_first_not_of(" \t\r");
    size_t e = line.find_last_not_of(" \t\r");
    std::string entry = b == std::string::npos ? std::string() : line.substr(b, e - b + 1);
    if (entry.size() >= 2 && entry.front() == '"' && entry.back() == '"') entry = entry.substr(1, entry.size() - 2);
    line.clear();
    if (entry.empty()) return;
    if (EndsInSeparator(entry))
      collector.SetBase(entry);
    else
      collector.AddName(entry);
  };
  for (uint8_t b : text) {
    if (b == '\n')
      takeLine();
    else
      line += static_cast<char>(b);
  }
  takeLine();
}

// Writes the archive: entries of an existing archive that are not replaced come first, unchanged,
// then the collected items. The result replaces the archive only when it is complete.
void WriteArchive(const std::string& archivePath, const std::vector<TItem>& items, std::string& log) {
  Bytes old;
  std::vector<TLhaEntry> oldEntries;
  if (IsFile(archivePath)) {
    try {
      old = ReadWholeFile(archivePath, kMaxArchiveSize);
      oldEntries = ReadLhaDirectory(old);
    } catch (const ETessError&) {
      throw TUnlhaError{kUnlhaReadError, "The archive is damaged: " + archivePath};
    }
  }
  std::set<std::string> replaced;
  for (const TItem& item : items) replaced.insert(LowerAscii(item.archivePath));

  try {
    TAtomicFile out(archivePath);
    TLhaWriter writer(out);
    for (const TLhaEntry& e : oldEntries) {
      if (replaced.count(LowerAscii(e.path))) continue;
      writer.AddRaw(old.data() + e.headerOffset, e.dataOffset + e.packedSize - e.headerOffset);
    }
    for (const TItem& item : items) {
      if (item.folder) {
        writer.AddDirectory(item.archivePath, ModificationTime(item.source));
        log += "Folder  " + ShownPath(item.archivePath) + "\n";
        continue;
      }
      Bytes data;
      try {
        data = ReadWholeFile(item.source, kMaxArchiveMemberSize);
      } catch (const ETessError& e) {
        throw TUnlhaError{kUnlhaReadError, e.what()};
      }
      writer.AddFile(item.archivePath, data, ModificationTime(item.source));
      log += "Added   " + ShownPath(item.archivePath) + "\n";
    }
    writer.Finish();
    out.Commit();
  } catch (const ETessError& e) {
    throw TUnlhaError{kUnlhaWriteError, e.what()};
  }
}

int Run(const std::string& commandLine, std::string& log) {
  const std::vector<std::string> words = SplitWords(commandLine);
  if (words.empty() || LowerAscii(words[0]) != "a") throw TUnlhaError{kUnlhaBadCommand, "Unknown command."};
  TOptions options;
  std::string archive;
  std::vector<std::string> names;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w.size() >= 2 && w[0] == '-') {
      const std::string s = LowerAscii(w.substr(1));
      if (s == "+" || s == "+0" || s == "+1")
        continue;
      else if (s == "r" || s == "r1" || s == "r2")
        options.recurse = true;
      else if (s == "r0")
        options.recurse = false;
      else if (s == "d" || s == "d1")
        options.folderEntries = true;
      else if (s == "d0")
        options.folderEntries = false;
      else
        throw TUnlhaError{kUnlhaBadCommand, "Unknown switch " + w};
    } else if (archive.empty()) {
      archive = Slashes(w);
    } else {
      names.push_back(w);
    }
  }
  if (archive.empty() || EndsInSeparator(archive)) throw TUnlhaError{kUnlhaBadCommand, "No archive named."};

  TCollector collector(options, log);
  for (const std::string& name : names) {
    if (name[0] == '@')
      ReadResponseFile(Slashes(name.substr(1)), collector);
    else if (EndsInSeparator(name))
      collector.SetBase(name);
    else
      collector.AddName(name);
  }
  collector.RefuseLinks();
  WriteArchive(archive, collector.Items(), log);
  return kUnlhaOk;
}

}  // namespace

int Unlha(const std::string& commandLine, char* output, size_t outputSize) {
  std::string log;
  int result;
  try {
    result = Run(commandLine, log);
  } catch (const TUnlhaError& e) {
    log += e.message + "\n";
    result = e.code;
  } catch (const std::bad_alloc&) {
    log += "Insufficient memory.\n";
    result = kUnlhaReadError;
  } catch (const std::exception& e) {
    log += std::string(e.what()) + "\n";
    result = kUnlhaWriteError;
  }
  if (output && outputSize > 0) {
    // A long log of added files keeps its end, where a failure names its file: the middle gives
    // way.
    const size_t room = outputSize - 1;
    if (log.size() > room) {
      const std::string gap = "...\n";
      const size_t tail = std::min(log.size(), room / 2);
      const size_t head = room > tail + gap.size() ? room - tail - gap.size() : 0;
      log = log.substr(0, head) + (head ? gap : std::string()) +
            log.substr(log.size() - (room - head - (head ? gap.size() : 0)));
    }
    const size_t n = std::min(log.size(), room);
    std::memcpy(output, log.data(), n);
    output[n] = '\0';
  }
  return result;
}

}  // namespace tess
