#include <gtest/gtest.h>

#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <filesystem>

#include "core/ProjectFolder.h"
#include "database/LD_ChipSet.h"
#include "maps/ChipSetPicture.h"
#include "maps/GR_ChipSet.h"
#include "media/PictureFile.h"
#include "tests/TestFolder.h"
#include "ui/BoardView.h"
#include "ui/pickers/FormSelBattle.h"
#include "ui/pickers/FormSelBattler.h"
#include "ui/pickers/FormSelChar.h"
#include "ui/pickers/FormSelEvChar.h"
#include "ui/pickers/FormSelFace.h"
#include "ui/pickers/FormSelMonster.h"
#include "ui/pickers/FormSelMovie.h"
#include "ui/pickers/FormSelPlainPicture.h"
#include "ui/pickers/FormSelSystem.h"
#include "ui/pickers/FormSelTiles.h"
#include "ui/pickers/MaterialList.h"

using namespace tess;
namespace fs = std::filesystem;

namespace {

// A picture whose pixel (x, y) is index 1 + (x + 3 y) mod 255, over a palette of distinct colours
// with index 0 a plain blue.
TBitmap Marked(int width, int height) {
  TBitmap b(width, height, TPixelFormat::Indexed8);
  for (int i = 0; i < 256; ++i)
    b.Palette().push_back(
        TRgb{static_cast<uint8_t>((i & 31) << 3), static_cast<uint8_t>((i >> 5) << 5), static_cast<uint8_t>(i)});
  b.Palette()[0] = TRgb{0, 0, 248};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.Row(y)[x] = static_cast<uint8_t>(1 + (x + 3 * y) % 255);
  return b;
}

// A project and a runtime package with a few materials, set for the lookups.
class MaterialPickers : public ::testing::Test {
 protected:
  void SetUp() override {
    project_ = folder_.Sub("Game");
    rtp_ = folder_.Sub("RTP");
    SetProjectFolder(project_);
    SetCurrentRuntimePackageFolder(rtp_);
    TFormSelMaterial::ForgetLastConfirmed();
  }
  void TearDown() override {
    SetProjectFolder("");
    SetCurrentRuntimePackageFolder("");
    TChipSetPicture::ClearCache();
  }
  void Add(const std::string& root, const std::string& folder, const std::string& name, const TBitmap& picture) {
    fs::create_directories(root + folder);
    SavePictureFile(picture, root + folder + "/" + name + ".png");
  }
  static QString Row(const TFormSelMaterial& f) {
    return f.List()->currentItem() ? f.List()->currentItem()->text() : QString();
  }
  static uint16_t Pixel(TFormSelMaterial& f, int x, int y) { return f.Preview()->Board().Row(y)[x]; }

  test::TTestFolder folder_;
  std::string project_, rtp_;
};

constexpr uint16_t kBlack = Rgb565(0, 0, 0);
constexpr uint16_t kWhite = Rgb565(255, 255, 255);

}  // namespace

TEST_F(MaterialPickers, TheListSelectsTheCurrentNameWhereverItIs) {
  Add(project_, "FaceSet", "Hero", Marked(192, 192));
  Add(project_, "FaceSet", "Villain2", Marked(192, 192));
  Add(project_, "FaceSet", "Villain10", Marked(192, 192));
  Add(rtp_, "FaceSet", "Hero", Marked(192, 192));  // the project's own comes first
  Add(rtp_, "FaceSet", "Elder", Marked(192, 192));
  const struct {
    const char* current;
    const char* shown;
    const char* stored;
    int row;
  } cases[] = {
      {"Villain10", "Villain10", "Villain10", 2},
      {"Elder", "Elder <RTP>", "Elder", 3},
      {"hero", "Hero", "hero", 0},                  // found under another spelling: the caller's spelling stays
      {"Nobody", "Nobody (missing)", "Nobody", 0},  // listed first
      {"", "Hero", "Hero", 0},                      // no current name: the first material
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.current);
    TMaterialList list;
    list.Fill({}, "FaceSet", {"png"}, c.current);
    ASSERT_EQ(list.Selected(), c.row);
    EXPECT_EQ(list.Entries()[c.row].shown, c.shown);
    EXPECT_EQ(list.NameAt(c.row), c.stored);
    EXPECT_EQ(list.Count(), std::string(c.current) == "Nobody" ? 5 : 4);
  }
  TMaterialList fixed;
  fixed.Fill({"*A", "*B"}, "FaceSet", {"png"}, "Nobody");
  EXPECT_EQ(fixed.Selected(), 2);  // the missing entry after the picker's own entries
  EXPECT_EQ(fixed.NameAt(0), "");
  EXPECT_TRUE(fixed.Entries()[0].fixed);
  TMaterialList empty;
  empty.Fill({}, "Title", {"png"}, "");
  EXPECT_EQ(empty.Selected(), -1);
  EXPECT_EQ(empty.NameAt(-1), "");
}

TEST_F(MaterialPickers, OkReturnsThePackageNameWithoutItsMarkAndAMissingNameUnchanged) {
  Add(project_, "CharSet", "Hero", Marked(288, 256));
  Add(rtp_, "CharSet", "People", Marked(288, 256));
  for (const char* name : {"People", "Lost Soul"}) {
    SCOPED_TRACE(name);
    TFormSelChar picker;
    picker.materialName = name;
    picker.Prepare();
    EXPECT_EQ(Row(picker), std::string(name) == "People" ? "People <RTP>" : "Lost Soul (missing)");
    EXPECT_EQ(picker.materialName, name);
    picker.accept();
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(picker.materialName, name);
  }
  // A name that leads out of the folder is not looked up there: listed as missing, no preview.
  Add(project_, "", "Outside", Marked(288, 256));
  TFormSelChar picker;
  picker.materialName = "../Outside";
  picker.Prepare();
  EXPECT_EQ(Row(picker), "../Outside (missing)");
  EXPECT_EQ(picker.PreviewSheet().Width(), 0);
  EXPECT_EQ(Pixel(picker, 100, 70), kBlack);
  // Choosing another entry takes its name; an empty folder gives an empty name.
  picker.SelectRow(1);
  EXPECT_EQ(picker.materialName, "Hero");
  TFormSelTitle title;
  title.materialName = "";
  title.Prepare();
  EXPECT_EQ(title.List()->count(), 0);
  EXPECT_EQ(title.materialName, "");
}

TEST_F(MaterialPickers, TheListOpensWithTheSelectionSixRowsFromTheTop) {
  for (int i = 0; i < 40; ++i) Add(project_, "Picture", "Pic" + std::to_string(i), Marked(8, 8));
  fs::create_directories(project_ + "Movie");
  for (int i = 0; i < 40; ++i) {
    std::FILE* f = std::fopen((project_ + "Movie/Clip" + std::to_string(i) + ".avi").c_str(), "wb");
    std::fclose(f);
  }
  TFormSelPicture pictures;
  pictures.resize(400, 300);
  pictures.materialName = "Pic20";
  pictures.Prepare();
  pictures.show();
  EXPECT_EQ(pictures.List()->currentRow(), 20);
  EXPECT_EQ(pictures.List()->verticalScrollBar()->value(), 14);
  TFormSelMovie movies;
  movies.resize(400, 300);
  movies.materialName = "Clip20";
  movies.Prepare();
  movies.show();
  EXPECT_EQ(movies.Preview(), nullptr);
  EXPECT_EQ(movies.List()->currentRow(), 20);
  EXPECT_EQ(movies.List()->verticalScrollBar()->value(), 16);
  pictures.materialName = "Pic3";
  pictures.Prepare();
  EXPECT_EQ(pictures.List()->verticalScrollBar()->value(), 0);
}

TEST_F(MaterialPickers, SelectSpriteShowsEachCharacterAndAPressChoosesOne) {
  TBitmap sheet = Marked(288, 256);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) sheet.Row(64 + y)[24 + x] = 0;  // transparent: the background shows
  Add(project_, "CharSet", "Hero", sheet);
  TFormSelChar picker;
  picker.materialName = "Hero";
  picker.cellIndex = 2;
  picker.Prepare();
  TCorvidSheet& s = picker.PreviewSheet();
  // Character k's standing frame facing down is doubled into its slot.
  for (int k : {0, 5, 7}) {
    const int sx = 72 * (k % 4) + 24 + 5, sy = 128 * (k / 4) + 64 + 9;
    EXPECT_EQ(Pixel(picker, 48 * (k % 4) + 10, 64 * (k / 4) + 18), s.palette16[s.Row(sy)[sx]]) << k;
  }
  EXPECT_EQ(Pixel(picker, 5, 5), Rgb565(0, 0, 248));  // character 0's corner is on the background
  picker.PressPreview({100, 70});
  EXPECT_EQ(picker.cellIndex, 6);
  // The chosen slot (96, 64)-(144, 128) is framed: black, white, white, black.
  const uint16_t ring[4] = {kBlack, kWhite, kWhite, kBlack};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Pixel(picker, 96 + i, 90), ring[i]) << i;
    EXPECT_EQ(Pixel(picker, 143 - i, 90), ring[i]) << i;
    EXPECT_EQ(Pixel(picker, 120, 64 + i), ring[i]) << i;
    EXPECT_EQ(Pixel(picker, 120, 127 - i), ring[i]) << i;
  }
  EXPECT_NE(Pixel(picker, 96 + 4, 90), kWhite);
  picker.StepCell(1, 0);
  EXPECT_EQ(picker.cellIndex, 7);
  picker.StepCell(1, 0);  // no cell right of the last
  EXPECT_EQ(picker.cellIndex, 7);
  picker.StepCell(0, -1);
  EXPECT_EQ(picker.cellIndex, 3);
}

TEST_F(MaterialPickers, CellRulesOfTheFaceAndBattlerPickers) {
  const struct {
    const char* what;
    std::function<std::unique_ptr<TFormSelMaterial>()> make;
    TPoint press;
    int cell;
  } cases[] = {
      {"face", [] { return std::make_unique<TFormSelFace>(); }, {100, 150}, 14},
      {"face corner", [] { return std::make_unique<TFormSelFace>(); }, {191, 191}, 15},
      {"pose", [] { return std::make_unique<TFormSelCBAStandard>(); }, {150, 50}, 7},
      {"weapon", [] { return std::make_unique<TFormSelCBAWeapon>(); }, {130, 70}, 6},
      {"weapon top", [] { return std::make_unique<TFormSelCBAWeapon>(); }, {63, 63}, 0},
  };
  for (const auto& c : cases) {
    auto picker = c.make();
    picker->Prepare();
    picker->PressPreview(c.press);
    EXPECT_EQ(picker->cellIndex, c.cell) << c.what;
  }
  // A pose sheet shows the first frame of each pose stacked in it.
  Add(project_, "BattleCharSet", "Knight", Marked(144, 384));
  TFormSelCBAStandard pose;
  pose.materialName = "Knight";
  pose.Prepare();
  TCorvidSheet& s = pose.PreviewSheet();
  EXPECT_EQ(Pixel(pose, 48 + 7, 48 + 9), s.palette16[s.Row(48 * 5 + 9)[7]]);
}

TEST_F(MaterialPickers, MonsterHueSlider) {
  const struct { int hue, position; } positions[] = {{0, 18}, {180, 0}, {170, 35}, {90, 27}, {350, 17}, {10, 19}};
  for (const auto& p : positions) {
    EXPECT_EQ(TFormSelMonster::PositionOfHue(p.hue), p.position) << p.hue;
    EXPECT_EQ(TFormSelMonster::HueOfPosition(p.position), p.hue) << p.position;
  }
  Add(project_, "Monster", "Slime", Marked(60, 40));
  Add(project_, "Monster", "Wolf", Marked(100, 80));
  TFormSelMonster picker;
  picker.materialName = "Slime";
  picker.hue = 90;
  picker.Prepare();
  EXPECT_EQ(picker.HueSlider()->value(), 27);
  EXPECT_EQ(picker.hue, 90);
  TCorvidSheet& s = picker.PreviewSheet();
  const TPaletteEntry atNinety = s.palette[1];
  picker.HueSlider()->setValue(18);
  EXPECT_EQ(picker.hue, 0);
  const TPaletteEntry atZero = s.palette[1];
  EXPECT_FALSE(atNinety == atZero);
  picker.HueSlider()->setValue(27);
  EXPECT_EQ(s.palette[1], atNinety);  // turned from the picture's own palette, not the last one
  picker.HueSlider()->setValue(0);
  EXPECT_EQ(picker.hue, 180);
  picker.HueSlider()->setValue(35);
  EXPECT_EQ(picker.hue, 170);
  // Shown 1:1 in the middle of the preview, on the picture's background.
  EXPECT_EQ(Pixel(picker, 5, 5), Rgb565(0, 0, 248));
  EXPECT_EQ(Pixel(picker, 130, 100), s.palette16[s.Row(0)[0]]);
  // Another picture puts the slider back to the middle.
  picker.SelectRow(1);
  EXPECT_EQ(picker.materialName, "Wolf");
  EXPECT_EQ(picker.HueSlider()->value(), 18);
  EXPECT_EQ(picker.hue, 0);
}

TEST_F(MaterialPickers, SelectEventGraphicTilesetPagesAndCharacters) {
  Add(project_, "CharSet", "Hero", Marked(288, 256));
  Add(project_, "ChipSet", "Tiles", Marked(480, 256));
  TLcfChipSetItem tileset;
  tileset.chipSetFile = "Tiles";
  TLcfChipSetGraphic graphic;
  graphic.SetTileset(&tileset);

  TFormSelEvChar picker;
  picker.SetTileset(&graphic);
  picker.materialName = "";
  picker.cellIndex = 53;  // upper tile 53: the sixth tile of the second page
  picker.Prepare();
  EXPECT_EQ(Row(picker), "*Tileset 2");
  EXPECT_TRUE(picker.ShowsTiles());
  EXPECT_TRUE(picker.FacingPanel()->isHidden());
  EXPECT_EQ(picker.Preview()->Board().Height(), 256);
  EXPECT_EQ(Pixel(picker, 160, 10), kBlack);  // the frame around tile (5, 0)
  EXPECT_EQ(Pixel(picker, 161, 10), kWhite);
  EXPECT_EQ(picker.cellIndex, 53);
  // The page shows upper tiles 48..95 through the tileset graphic.
  TCorvidBoard tile;
  tile.SetSize(32, 32);
  graphic.DrawChip(tile, 0, 0, 32, false, 10000 + 48 + 7, 0);
  EXPECT_EQ(Pixel(picker, 32 + 16, 32 + 16), tile.Row(16)[16]);

  // Another page keeps the place on the page; a press picks a tile of the page shown.
  picker.SelectRow(2);
  EXPECT_EQ(picker.materialName, "");
  EXPECT_EQ(picker.cellIndex, 101);
  picker.PressPreview({40, 70});
  EXPECT_EQ(picker.cellIndex, 96 + 13);

  // A sheet: the index is the character's, with the facing and pattern panel.
  picker.SelectRow(3);
  EXPECT_EQ(picker.materialName, "Hero");
  EXPECT_FALSE(picker.ShowsTiles());
  EXPECT_FALSE(picker.FacingPanel()->isHidden());
  EXPECT_EQ(picker.Preview()->Board().Height(), 128);
  picker.PressPreview({100, 70});
  EXPECT_EQ(picker.cellIndex, 6);
  picker.FacingButton(3)->setChecked(true);
  picker.PatternButton(0)->setChecked(true);
  EXPECT_EQ(picker.facing, 3);
  EXPECT_EQ(picker.pattern, 0);
  TCorvidSheet& s = picker.PreviewSheet();
  EXPECT_EQ(Pixel(picker, 48 + 10, 18), s.palette16[s.Row(96 + 9)[72 + 5]]);  // character 1, left, left
  picker.SelectRow(0);
  EXPECT_EQ(picker.cellIndex, 13);  // back on a page: the tile's place on it

  // Opened on a sheet, the same field is the character index.
  TFormSelEvChar onSheet;
  onSheet.SetTileset(&graphic);
  onSheet.materialName = "Hero";
  onSheet.cellIndex = 5;
  onSheet.Prepare();
  EXPECT_EQ(Row(onSheet), "Hero");
  EXPECT_EQ(onSheet.cellIndex, 5);
  EXPECT_EQ(Pixel(onSheet, 48, 64 + 30), kBlack);  // the frame of slot 5
}

TEST_F(MaterialPickers, BattleAnimationTabsListTheirFolders) {
  Add(project_, "Battle", "Slash", Marked(480, 480));
  Add(project_, "Battle", "Fire", Marked(480, 480));
  Add(project_, "Battle2", "Meteor", Marked(640, 640));
  TFormSelBattle picker;
  picker.materialName = "Meteor";
  picker.folderIndex = 1;
  picker.Prepare();
  EXPECT_EQ(picker.Tabs()->currentIndex(), 1);
  EXPECT_EQ(Row(picker), "Meteor");
  EXPECT_EQ(picker.Preview()->Board().Width(), 320);
  picker.Tabs()->setCurrentIndex(0);
  EXPECT_EQ(picker.folderIndex, 0);
  EXPECT_EQ(picker.List()->count(), 2);
  EXPECT_EQ(picker.materialName, "Fire");
  EXPECT_EQ(picker.Preview()->Board().Width(), 240);
  TCorvidSheet& s = picker.PreviewSheet();
  EXPECT_EQ(Pixel(picker, 100, 50), s.palette16[s.Row(100)[200]]);  // halved
  picker.SelectRow(1);
  picker.Tabs()->setCurrentIndex(1);
  EXPECT_EQ(picker.materialName, "Meteor");  // each tab keeps its own choice
  picker.Tabs()->setCurrentIndex(0);
  EXPECT_EQ(picker.materialName, "Slash");
  picker.accept();
  EXPECT_EQ(picker.folderIndex, 0);
}

TEST_F(MaterialPickers, ValuesLastConfirmedAreKeptPerKindOfPicker) {
  Add(project_, "FaceSet", "Hero", Marked(192, 192));
  Add(project_, "System", "Blue", Marked(160, 80));
  {
    TFormSelFace face;
    EXPECT_FALSE(face.OpenOnLastConfirmed());
    face.materialName = "Hero";
    face.Prepare();
    face.PressPreview({60, 110});
    face.reject();  // Cancel remembers nothing
    EXPECT_FALSE(TFormSelFace().OpenOnLastConfirmed());
    face.accept();
  }
  TFormSelFace again;
  again.materialName = "Other";
  ASSERT_TRUE(again.OpenOnLastConfirmed());
  EXPECT_EQ(again.materialName, "Hero");
  EXPECT_EQ(again.cellIndex, 9);
  EXPECT_FALSE(TFormSelChar().OpenOnLastConfirmed());

  {
    TFormSelSystem system;
    system.materialName = "Blue";
    system.wallpaper = 1;
    system.Prepare();
    EXPECT_TRUE(system.WallpaperButton(1)->isChecked());
    system.FontButton(1)->setChecked(true);
    system.accept();
  }
  TFormSelSystem system;
  ASSERT_TRUE(system.OpenOnLastConfirmed());
  EXPECT_EQ(system.wallpaper, 1);
  EXPECT_EQ(system.font, 1);
  // The battle-graphic mode is another folder, with its own memory, and hides the choices.
  TFormSelSystem battle(nullptr, true);
  EXPECT_FALSE(battle.OpenOnLastConfirmed());
  EXPECT_EQ(battle.windowTitle(), "Select Battle Graphic ");
  EXPECT_TRUE(battle.OptionGroups()->isHidden());
  EXPECT_EQ(battle.Preview()->Board().Width(), 80);
}

TEST_F(MaterialPickers, DoubleClickingAnEntryOrThePreviewPressesOk) {
  Add(project_, "FaceSet", "Hero", Marked(192, 192));
  TFormSelFace picker;
  picker.Prepare();
  emit picker.List()->itemDoubleClicked(picker.List()->item(0));
  EXPECT_EQ(picker.result(), QDialog::Accepted);
  TFormSelFace viaPreview;
  viaPreview.Prepare();
  viaPreview.Preview()->onDoubleClick();
  EXPECT_EQ(viaPreview.result(), QDialog::Accepted);
}

TEST(PickerDrawing, FitScalesDownKeepingProportionsAndCentres) {
  const struct {
    int w, h;
    TRect fit;
  } cases[] = {
      {640, 480, Bounds(0, 0, 320, 240)},   {100, 50, Bounds(110, 95, 100, 50)},
      {1000, 100, Bounds(0, 104, 320, 32)}, {100, 1000, Bounds(148, 0, 24, 240)},
      {320, 240, Bounds(0, 0, 320, 240)},   {321, 241, Bounds(0, 0, 319, 240)},
      {99, 51, Bounds(110, 94, 99, 51)},    {0, 10, TRect{}},
  };
  for (const auto& c : cases) EXPECT_EQ(FitRect(c.w, c.h, 320, 240), c.fit) << c.w << " x " << c.h;
}

TEST_F(MaterialPickers, TilePickers) {
  Add(project_, "ChipSet", "Tiles", Marked(480, 256));
  TLcfChipSetItem tileset;
  tileset.chipSetFile = "Tiles";

  TFormSelMap upper(nullptr, 7);
  upper.SetTileset(&tileset);
  upper.Prepare();
  EXPECT_EQ(upper.List(), nullptr);
  EXPECT_EQ(upper.Preview()->Board().Height(), 24 * 32);
  upper.PressPreview({170, 40});  // the last column cannot start a 2 x 2 block
  EXPECT_EQ(upper.column, 0);
  upper.PressPreview({140, 70});
  EXPECT_EQ(upper.column, 4);
  EXPECT_EQ(upper.row, 2);
  EXPECT_EQ(Pixel(upper, 128 + 63, 80), kBlack);  // the frame covers two cells
  EXPECT_EQ(Pixel(upper, 128 + 62, 80), kWhite);
  EXPECT_EQ(Pixel(upper, 31, 5), kBlack);  // the cell lines
  EXPECT_EQ(Pixel(upper, 5, 31), kBlack);
  upper.PressPreview({40, 23 * 32 + 5});  // nor the last row
  EXPECT_EQ(upper.row, 2);
  for (int i = 0; i < 25; ++i) upper.StepCell(0, 1);
  EXPECT_EQ(upper.row, 22);
  EXPECT_EQ(upper.column, 4);

  TFormSelMap lower(nullptr, 0);
  lower.SetTileset(&tileset);
  lower.Prepare();
  EXPECT_EQ(lower.Preview()->Board().Height(), 27 * 32);
  lower.PressPreview({170, 40});
  EXPECT_EQ(lower.column, 5);
  EXPECT_EQ(lower.row, 1);

  TLcfChipSetGraphic graphic;
  graphic.SetTileset(&tileset);
  graphic.SetTransparent(true);
  TFormSelReplChip chips(nullptr, true);
  chips.SetTileset(&graphic);
  chips.Prepare();
  chips.PressPreview({70, 100});
  EXPECT_EQ(chips.cellIndex, 20);
  EXPECT_TRUE(graphic.sheet.transparent);  // the map's graphic is left as it was
  TCorvidBoard tile;
  tile.SetSize(32, 32);
  graphic.SetTransparent(false);
  graphic.DrawChip(tile, 0, 0, 32, false, 10000 + 7, 0);
  EXPECT_EQ(Pixel(chips, 32 + 16, 32 + 16), tile.Row(16)[16]);
}
