// The database file: its layout, loading on the side, the file stamp, atomic and guarded saves and
// the format conversion.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "SampleDatabase.h"
#include "TestChunks.h"
#include "core/AtomicFile.h"
#include "core/MessagePort.h"
#include "database/DataBaseObj.h"

using namespace tess;
using namespace tess::test;
namespace fs = std::filesystem;

namespace {

std::vector<TChunk> FileChunks(const Bytes& file) { return DataBaseChunks(file); }

Bytes WithoutChunk(const Bytes& file, int32_t drop) {
  std::vector<TChunk> chunks = DataBaseChunks(file);
  std::erase_if(chunks, [drop](const TChunk& c) { return c.id == drop; });
  return EncodeDataBase(chunks);
}

class TProject : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = (fs::temp_directory_path() / ("tess-db-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                 .string();
    fs::remove_all(folder);
    fs::create_directories(folder + "/app");
    std::ofstream(folder + "/app/TESS_RT.exe.dat") << "runtime";
    SetMessagePort(&messages);
  }
  void TearDown() override {
    SetMessagePort(nullptr);
    fs::remove_all(folder);
  }
  std::string File() const { return folder + "/TESS_RT.ldb"; }

  std::string folder;
  TScriptedMessages messages;
};

}  // namespace

TEST(DataBase, ResetDatabaseWritesAllTwentyTwoChunks) {
  TLcfDataBase db;
  std::vector<TChunk> chunks = FileChunks(db.SaveToMemory());
  std::vector<int32_t> ids;
  for (int32_t id = 11; id <= 32; ++id) ids.push_back(id);
  EXPECT_EQ(ChunkIds(chunks), ids);
  for (const TChunk& c : chunks) {
    bool empty = c.id == 26 || c.id == 27 || c.id == 28 || c.id == 31;
    EXPECT_EQ(c.body.empty(), empty) << c.id;
    if (c.id == 23 || c.id == 24) {
      EXPECT_EQ(c.body, (Bytes{1, 1, 0})) << c.id;  // one unnamed item
    }
  }
  EXPECT_EQ(db.heroes.Count(), 1);
  EXPECT_EQ(db.FileStamp(), TFileStamp{});
}

TEST(DataBase, EveryFieldSavesLoadsAndSavesAgainToTheSameBytes) {
  TLcfDataBase db;
  sample::FillDatabase(db, 3);
  db.conditions.ItemAt(0)->color = 6;  // condition 1 at the chunk default
  db.commonEvents.ItemAt(0)->lines.InsertLine(
      0, std::make_unique<TLcfEventScriptLine>(12110, 0, "", std::vector<int32_t>{3}));
  Bytes first = db.SaveToMemory();

  TLcfDataBase loaded;
  loaded.LoadFromMemory(first);
  EXPECT_EQ(loaded.system.saveCount, db.system.saveCount);
  EXPECT_EQ(loaded.conditions.ItemAt(0)->color, 6);
  EXPECT_EQ(loaded.heroes.Count(), 3);
  EXPECT_EQ(loaded.heroes.ItemAt(2)->name, db.heroes.ItemAt(2)->name);
  --loaded.system.saveCount;  // the save counts itself
  Bytes second = loaded.SaveToMemory();
  EXPECT_EQ(second, first);

  // The same database loaded into one that held other data reads the same.
  TLcfDataBase busy;
  sample::FillDatabase(busy, 5);
  busy.LoadFromMemory(first, true);
  --busy.system.saveCount;
  EXPECT_EQ(busy.SaveToMemory(), first);
}

TEST(DataBase, ItemsWriteTheirSingleByteFieldsAlsoWhenZero) {
  TLcfDataBase db;
  db.system.formatVersion = TLcfSystem::kCurrentFormatVersion;
  db.items.SetCount(3);
  db.items.ItemAt(0)->itemType = kItemWeapon;
  db.items.ItemAt(1)->itemType = kItemMedicine;
  db.items.ItemAt(2)->itemType = kItemSkillScroll;
  db.items.ItemAt(2)->scrollMessage = 1;
  const Bytes saved = db.SaveToMemory();

  const std::vector<TListItem> items = ListItems(FindChunk(FileChunks(saved), 13)->body);
  ASSERT_EQ(items.size(), 3u);
  for (const TListItem& item : items) {
    SCOPED_TRACE(item.id);
    const std::vector<TChunk> chunks = TopChunks(item.record);
    for (int32_t id : {15, 31, 51}) {
      ASSERT_NE(FindChunk(chunks, id), nullptr) << id;
      EXPECT_EQ(FindChunk(chunks, id)->body, (Bytes{static_cast<uint8_t>(item.id == 3 && id == 51 ? 1 : 0)})) << id;
    }
  }
  TLcfDataBase loaded;
  loaded.LoadFromMemory(saved);
  --loaded.system.saveCount;  // the save counts itself
  EXPECT_EQ(loaded.SaveToMemory(), saved);
}

TEST_F(TProject, OlderFormatCurvesAndTriggersSurviveTheConversion) {
  // An older-format database: curves of 50 levels and a one-byte trigger bit set.
  TLcfDataBase old;
  old.system.formatVersion = 2000;
  old.troops.ItemAt(0)->pages.ItemAt(0)->trigger.flags = 0x0081;
  Bytes older16(2 * kParameterCount * kOlderMaxHeroLevel);
  for (size_t i = 0; i < older16.size() / 2; ++i) {
    older16[2 * i] = static_cast<uint8_t>(i);  // curve p, level L holds p * 50 + L - 1 + 256
    older16[2 * i + 1] = 1;
  }
  auto curves = [&](const Bytes&) { return older16; };
  Bytes file = old.SaveToMemory();
  for (int32_t top : {11, 30})
    file = RewriteDataBaseChunk(file, top, [&](const Bytes& list) {
      std::vector<TListItem> items = ListItems(list);
      items[0].record = RewriteChunk(items[0].record, {{31}}, curves);
      return EncodeList(items);
    });
  file = RewriteDataBaseChunk(file, 15, [](const Bytes& list) {
    std::vector<TListItem> items = ListItems(list);
    items[0].record = RewriteChunk(items[0].record, {{11, 1}, {2}, {1}}, [](const Bytes&) { return Bytes{0x81}; });
    return EncodeList(items);
  });
  WriteFileAtomic(File(), file);

  TLcfDataBase db;
  ASSERT_TRUE(db.LoadDatabase(folder));
  messages.answers.push_back(TMessageResult::Yes);
  ASSERT_TRUE(db.SaveDatabase(folder, folder + "/app"));
  TLcfDataBase converted;
  ASSERT_TRUE(converted.LoadDatabase(folder));
  EXPECT_EQ(converted.system.formatVersion, 2003);
  const TLcfActorBase* actors[] = {converted.heroes.ItemAt(0), converted.classes.ItemAt(0)};
  for (const TLcfActorBase* actor : actors) {
    for (int p = 0; p < kParameterCount; ++p) {
      for (int level = 1; level <= kMaxHeroLevel; ++level) {
        const int stored = std::min(level, kOlderMaxHeroLevel);
        EXPECT_EQ(actor->GetParameter(p, level), 256 + ((p * kOlderMaxHeroLevel + stored - 1) & 0xFF))
            << p << " " << level;
      }
    }
  }
  EXPECT_EQ(converted.troops.ItemAt(0)->pages.ItemAt(0)->trigger.flags, 0x0081);

  // Sizes no rule covers are still skipped: the field keeps its reset value.
  TLcfDataBase odd;
  odd.LoadFromMemory(RewriteDataBaseChunk(file, 11, [&](const Bytes& list) {
    std::vector<TListItem> items = ListItems(list);
    items[0].record = RewriteChunk(items[0].record, {{31}}, [](const Bytes&) { return Bytes(598); });
    items[0].record = RewriteChunk(items[0].record, {{51}}, [](const Bytes&) { return Bytes(8, 3); });
    return EncodeList(items);
  }));
  EXPECT_EQ(odd.heroes.ItemAt(0)->GetParameter(kMaxHP, 1), 1);
  EXPECT_EQ(odd.heroes.ItemAt(0)->GetEquipment(0), 0);
  EXPECT_EQ(odd.classes.ItemAt(0)->GetParameter(kMaxHP, 99), 256 + 49);
}

TEST(DataBase, WrongMagicAndDamageChangeNothing) {
  TLcfDataBase db;
  db.heroes.ItemAt(0)->name = "Kept";
  Bytes other;
  TByteWriter(other).WriteString("LcfMapTree");
  try {
    db.LoadFromMemory(other);
    FAIL();
  } catch (const EWrongMagic& e) {
    EXPECT_STREQ(e.what(), "Event script referenced a \"shigunechi\" that does not exist.");
  }
  EXPECT_THROW(db.LoadFromMemory(Bytes{}), EWrongMagic);

  TLcfDataBase source;
  source.heroes.SetCount(4);
  source.animations.SetCount(3);
  Bytes good = source.SaveToMemory();
  // Cut anywhere: either an error, with the database as it was, never half a database.
  for (size_t cut : {good.size() - 1, good.size() / 2, size_t{20}}) {
    Bytes damaged(good.begin(), good.begin() + static_cast<ptrdiff_t>(cut));
    EXPECT_THROW(db.LoadFromMemory(damaged), EReadError) << cut;
    EXPECT_EQ(db.heroes.Count(), 1);
    EXPECT_EQ(db.heroes.ItemAt(0)->name, "Kept");
    EXPECT_EQ(db.animations.Count(), 1);
  }
}

TEST(DataBase, UnusedChunksWithDataAreKept) {
  TLcfDataBase db;
  Bytes file = db.SaveToMemory();
  TByteWriter w(file);
  w.WriteInt(40);
  w.WriteInt(2);
  w.WriteBytes("\x07\x08", 2);
  // Chunk 27 with data, in place of its empty one.
  std::vector<TChunk> chunks = FileChunks(file);
  Bytes rebuilt;
  TByteWriter r(rebuilt);
  r.WriteString("LcfDataBase");
  for (const TChunk& c : chunks) {
    Bytes body = c.id == 27 ? Bytes{9} : c.body;
    r.WriteInt(c.id);
    r.WriteInt(static_cast<int32_t>(body.size()));
    r.WriteBytes(body.data(), body.size());
  }
  TLcfDataBase loaded;
  loaded.LoadFromMemory(rebuilt);
  --loaded.system.saveCount;
  EXPECT_EQ(loaded.SaveToMemory(), rebuilt);
}

TEST_F(TProject, MissingChunksAndTheFileStamp) {
  TLcfDataBase writer;
  writer.items.SetCount(3);
  writer.SaveToFile(File());

  TLcfDataBase db;
  ASSERT_TRUE(db.LoadDatabase(folder));
  EXPECT_EQ(db.items.Count(), 3);
  EXPECT_EQ(db.FileStamp(), FileStampOf(File()));

  // The same file again without chunk 13: with the stamp unchanged, the items stay as they were.
  Bytes without = WithoutChunk(ReadWholeFile(File()), 13);
  db.items.SetCount(5);
  std::ofstream(File(), std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(without.data()), static_cast<std::streamsize>(without.size()));
  fs::resize_file(File(), without.size());
  TFileStamp stamp = FileStampOf(File());
  // Make the stamp match as if this file had been loaded last.
  TLcfDataBase matched;
  ASSERT_TRUE(matched.LoadDatabase(folder));
  EXPECT_EQ(matched.items.Count(), 1);  // a different stamp: loaded as if into a reset database
  matched.items.SetCount(7);
  ASSERT_TRUE(matched.LoadDatabase(folder));
  EXPECT_EQ(matched.items.Count(), 7);  // same stamp: untouched
  EXPECT_EQ(matched.FileStamp(), stamp);
}

TEST_F(TProject, FailedLoadReportsAndKeepsTheDatabase) {
  TLcfDataBase db;
  db.heroes.ItemAt(0)->name = "Before";
  std::string error;
  EXPECT_FALSE(db.LoadDatabase(folder, &error));
  EXPECT_NE(error.find("TESS_RT.ldb"), std::string::npos);
  std::ofstream(File()) << "garbage that is not a database";
  EXPECT_FALSE(db.LoadDatabase(folder, &error));
  EXPECT_EQ(db.heroes.ItemAt(0)->name, "Before");
  // The file is found whatever the case of its name.
  fs::remove(File());
  TLcfDataBase other;
  other.heroes.ItemAt(0)->name = "Lower";
  other.SaveToFile(folder + "/tess_rt.ldb");
  ASSERT_TRUE(db.LoadDatabase(folder, &error)) << error;
  EXPECT_EQ(db.heroes.ItemAt(0)->name, "Lower");
}

TEST_F(TProject, GuardedSavesCountAndConvert) {
  TLcfDataBase db;
  db.system.formatVersion = TLcfSystem::kCurrentFormatVersion;
  const int32_t before = db.system.saveCount;
  ASSERT_TRUE(db.SaveDatabase(folder, folder + "/app"));
  ASSERT_TRUE(db.SaveDatabase(folder, folder + "/app"));
  EXPECT_EQ(db.system.saveCount, before + 2);
  TLcfDataBase loaded;
  ASSERT_TRUE(loaded.LoadDatabase(folder));
  EXPECT_EQ(loaded.system.saveCount, before + 2);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(fs::exists(folder + "/Frame"));
}

TEST_F(TProject, RefusedConversionLeavesTheFileUntouched) {
  TLcfDataBase old;
  old.system.formatVersion = 2000;
  old.SaveToFile(File());
  const Bytes onDisk = ReadWholeFile(File());

  TLcfDataBase db;
  ASSERT_TRUE(db.LoadDatabase(folder));
  db.heroes.ItemAt(0)->name = "Changed";
  messages.answers.push_back(TMessageResult::No);
  EXPECT_FALSE(db.SaveDatabase(folder, folder + "/app"));
  EXPECT_EQ(ReadWholeFile(File()), onDisk);
  EXPECT_LT(db.system.formatVersion, 2003);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, kConvertQuestion);
  EXPECT_EQ(messages.shown[0].style, (TMessageStyle{TMessageIcon::Warning, TMessageButtons::YesNo}));
  EXPECT_EQ(messages.shown[1].style.icon, TMessageIcon::Error);
  EXPECT_EQ(messages.shown[1].text, "Could not compile data.");
  EXPECT_FALSE(fs::exists(folder + "/Battle2"));
  EXPECT_FALSE(fs::exists(folder + "/TESS_RT.exe"));
}

TEST_F(TProject, AcceptedConversionMakesOnlyTheMissingFolders) {
  fs::create_directory(folder + "/battle2");  // any case counts
  TLcfDataBase db;
  db.system.formatVersion = 2000;
  messages.answers.push_back(TMessageResult::Yes);
  ASSERT_TRUE(db.SaveDatabase(folder, folder + "/app"));
  for (const char* name : {"BattleCharSet", "BattleWeapon", "Frame", "System2"})
    EXPECT_TRUE(fs::is_directory(folder + "/" + name)) << name;
  EXPECT_FALSE(fs::exists(folder + "/Battle2"));
  EXPECT_EQ(db.system.formatVersion, 2003);
  EXPECT_EQ(ReadWholeFile(folder + "/TESS_RT.exe"), (Bytes{'r', 'u', 'n', 't', 'i', 'm', 'e'}));
  TLcfDataBase loaded;
  ASSERT_TRUE(loaded.LoadDatabase(folder));
  EXPECT_EQ(loaded.system.formatVersion, 2003);

  // A folder that cannot be made (a file stands in its way): failure, nothing saved.
  fs::remove_all(folder + "/Frame");
  std::ofstream(folder + "/Frame") << "x";
  TLcfDataBase again;
  again.system.formatVersion = 2000;
  messages.answers.push_back(TMessageResult::Yes);
  const Bytes onDisk = ReadWholeFile(File());
  EXPECT_FALSE(again.SaveDatabase(folder, folder + "/app"));
  EXPECT_EQ(ReadWholeFile(File()), onDisk);
  EXPECT_EQ(again.system.formatVersion, 2000);
}

TEST_F(TProject, FailedWriteKeepsTheOldFileAndTheCounter) {
  TLcfDataBase db;
  db.system.formatVersion = 2003;
  ASSERT_TRUE(db.SaveDatabase(folder, folder + "/app"));
  const Bytes onDisk = ReadWholeFile(File());
  const TFileStamp stamp = db.FileStamp();
  const int32_t count = db.system.saveCount;
  // The database file's name is taken by a folder with something in it: the rename fails.
  fs::rename(File(), folder + "/kept.ldb");
  fs::create_directories(File() + "/inside");
  EXPECT_FALSE(db.SaveDatabase(folder, folder + "/app"));
  EXPECT_EQ(db.system.saveCount, count);
  EXPECT_EQ(db.FileStamp(), stamp);
  ASSERT_FALSE(messages.shown.empty());
  EXPECT_EQ(messages.shown.back().style.icon, TMessageIcon::Error);
  EXPECT_EQ(ReadWholeFile(folder + "/kept.ldb"), onDisk);
  EXPECT_EQ(fs::directory_iterator(folder + "/TESS_RT.ldb") != fs::directory_iterator(), true);
  // No temporary file is left behind.
  for (const auto& entry : fs::directory_iterator(folder))
    EXPECT_EQ(entry.path().filename().string().find(".TESS_RT"), std::string::npos);
}

TEST(DataBase, SavingTrimsToThisDatabasesLists) {
  TLcfDataBase db;
  db.conditions.SetCount(2);
  TLcfPlayerItem* hero = db.heroes.ItemAt(0);
  hero->ResizeConditionRanks(4);
  hero->SetConditionRank(4, kRankA);
  hero->SetConditionRank(1, kRankA);
  db.SaveToMemory();
  EXPECT_EQ(hero->conditionRanks, (std::vector<uint8_t>{0, 2}));
  EXPECT_EQ(CurrentDataBaseLinks(), nullptr);  // current only while saving
}

TEST(DataBase, PastedAnimationsAreSavedAfresh) {
  TLcfDataBase db;
  db.animations.SetCount(2);
  db.animations.ItemAt(0)->name = "Fire";
  db.SaveToMemory();  // both items clean, their bytes cached
  db.animations.CopyToClipboard(kClipBattleAnimations, 0, 1);
  EXPECT_EQ(db.animations.PasteFromClipboard(kClipBattleAnimations, 1), 1);
  EXPECT_TRUE(db.animations.ItemAt(1)->IsDirty());
  TLcfDataBase loaded;
  loaded.LoadFromMemory(db.SaveToMemory());
  EXPECT_EQ(loaded.animations.ItemAt(1)->name, "Fire");

  // Conditions pasted onto condition 1 keep their colour and priority.
  db.conditions.SetCount(2);
  db.conditions.ItemAt(1)->color = 6;
  db.conditions.ItemAt(1)->priority = 50;
  db.conditions.CopyToClipboard(kClipConditions, 1, 1);
  db.conditions.PasteFromClipboard(kClipConditions, 0);
  EXPECT_EQ(db.conditions.ItemAt(0)->color, 6);
  EXPECT_EQ(db.conditions.ItemAt(0)->priority, 50);
}
