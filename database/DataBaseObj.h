#pragma once
// The game database: one list or record of each kind, stored together as the project's
// TESS_RT.ldb. A load parses the whole file on the side and takes the result only when every part
// read cleanly, so a damaged file never leaves a half-loaded database; a save writes the file
// atomically.

#include <cstdint>
#include <string>

#include "core/Catalog.h"
#include "core/LoadDamage.h"
#include "database/DataBaseLinks.h"
#include "database/LD_Animation.h"
#include "database/LD_Animation2.h"
#include "database/LD_Attrib.h"
#include "database/LD_Battle.h"
#include "database/LD_ChipSet.h"
#include "database/LD_Ground.h"
#include "database/LD_Item.h"
#include "database/LD_Job.h"
#include "database/LD_MonGroup.h"
#include "database/LD_Monster.h"
#include "database/LD_Player.h"
#include "database/LD_Skill.h"
#include "database/LD_Status.h"
#include "database/LD_Switch.h"
#include "database/LD_System.h"
#include "database/LD_Vocabulary.h"
#include "events/LD_CommonEvent.h"

namespace tess {

inline constexpr const char* kDataBaseMagic = "LcfDataBase";
inline constexpr const char* kDataBaseFileName = "TESS_RT.ldb";
inline constexpr const char* kConvertQuestion =
    "Game data will be converted from Orvane format to Tessaly format.  This cannot be reversed.  Are you sure you "
    "want to proceed?";
inline constexpr const char* kCompileFailedMessage = "Could not compile data.";
inline constexpr const char* kNotADataBaseMessage = "Event script referenced a \"shigunechi\" that does not exist.";

// Private clipboard formats of the database's lists.
enum TDataBaseClipFormat : int {
  kClipHeroes = 574,
  kClipSkills = 575,
  kClipItems = 576,
  kClipMonsters = 577,
  kClipTroops = 578,
  kClipTerrain = 579,
  kClipAttributes = 580,
  kClipConditions = 581,
  kClipBattleAnimations = 582,
  kClipTilesets = 583,
  kClipCommonEvents = 584,
  kClipClasses = 587,
  kClipBattlerAnimations = 588,
  kClipBattleCommands = 589,
};

// The size and modification time of the database file as of the last load or save.
struct TFileStamp {
  int64_t size = 0;
  int64_t modified = 0;  // nanoseconds since the epoch
  bool operator==(const TFileStamp&) const = default;
};
// The stamp of a file now; raises EFileError when the file cannot be looked at.
TFileStamp FileStampOf(const std::string& path);

class TLcfDataBase final : public TDataBaseLinks {
 public:
  TLcfDataBase();
  TLcfDataBase(const TLcfDataBase&) = delete;
  TLcfDataBase& operator=(const TLcfDataBase&) = delete;

  TLcfPlayer heroes;
  TLcfJob classes;
  TLcfSkill skills;
  TLcfItem items;
  TLcfMonster monsters;
  TLcfMonGroup troops;
  TLcfGround terrain;
  TLcfChipSet tilesets;
  TLcfAttrib attributes;
  TLcfStatus conditions;
  TLcfAnimation animations;
  TLcfAnimation2 battlerAnimations;
  TLcfBattle battle;
  TLcfVocabulary vocabulary;
  TLcfSystem system;
  TLcfSwitch switches;
  TLcfVariable variables;
  TLcfCommonEvent commonEvents;

  // Every list holds one default item numbered 1; the records are reset; the stamp is 0.
  void ResetDatabase();

  // The file layout in memory. Loading raises on any damage (EWrongMagic for a file of another
  // kind, EDamagedData naming the part, chunk path and offset for damage) and then changes
  // nothing, unless keepPartial is set: then the parts read completely before the damage are
  // taken, and of a damaged list the items read before the damage (when there are any). Top-level chunks the file lacks
  // keep what they held, or are reset when resetMissing is set.
  void LoadFromMemory(const Bytes& data, bool resetMissing = false, bool keepPartial = false);
  // Trims the rank and mark arrays of heroes, classes, skills, items and monsters to this
  // database's conditions and attributes (and of their trailing neutral elements), then writes. A
  // save counts itself in the system record; a copy (Mode::Copy) writes the same data uncounted.
  Bytes SaveToMemory(TCatalogVarData::Mode mode = TCatalogVarData::Mode::Save);

  // A file whose stamp differs from the last one loads as if into a reset database; an unchanged
  // file only replaces what it holds (and clean battle animations are not parsed again). A damaged
  // file raises, naming the file, and changes nothing; in quiet mode its damage is let pass
  // instead: the parts read before it are taken and LoadDamage() holds the error.
  void LoadFromFile(const std::string& path);
  // Writes atomically and takes the stamp of the new file. On failure the old file is untouched,
  // the save counter is as before, and the error passes on. The file a damaged load came from is
  // refused (EFileError) until the damage is cleared.
  void SaveToFile(const std::string& path);

  // Loads the project's database. On failure, or when the file was damaged, returns false with the
  // reason in error; the database keeps what it held, or in quiet mode what could be read.
  bool LoadDatabase(const std::string& projectFolder, std::string* error = nullptr,
                    TErrorWording wording = TErrorWording::Shown);
  // The save every caller uses: converts a project of the older Orvane format first (asking through
  // the message port and creating the folders the newer format needs), then saves. Returns false,
  // having told the user, when the conversion is refused, a folder cannot be made, or the file
  // cannot be written; then nothing was saved.
  bool SaveDatabase(const std::string& projectFolder, const std::string& applicationFolder);

  const TFileStamp& FileStamp() const { return stamp_; }
  // The damage the last load of a file let pass (quiet mode); empty after a clean load.
  const TLoadDamage& LoadDamage() const { return damage_; }
  // The author's choice to keep what a damaged load could read: the database may then be saved
  // over its file again.
  void ClearLoadDamage() { damage_.Clear(); }

  // The links records consult while this database is current.
  int ConditionCount() const override { return conditions.Count(); }
  int AttributeCount() const override { return attributes.Count(); }
  int HeroCount() const override { return heroes.Count(); }
  bool ItemUsableByClass() const override { return system.itemUsableByMode == 1; }

  // Top-level chunks this system does not use, kept as read and written back in their place.
  struct TKeptChunk {
    int32_t id;
    Bytes body;
  };
  const std::vector<TKeptChunk>& KeptChunks() const { return kept_; }

 private:
  // The step before every save: what SaveToMemory trims.
  void TrimForSave();

  TFileStamp stamp_;
  size_t lastSize_ = 0;  // of the file last loaded or saved
  std::vector<TKeptChunk> kept_;
  TLoadDamage damage_;
};

// One line about a database: its format, saves and the size of every list.
std::string DescribeDatabase(const TLcfDataBase& database);

}  // namespace tess
