#include "tools/rtpgen/RuntimePackage.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "media/PictureFile.h"
#include "tools/rtpgen/CharacterArt.h"
#include "tools/rtpgen/SceneArt.h"
#include "tools/rtpgen/SoundArt.h"
#include "tools/rtpgen/TilesetArt.h"

namespace tess::rtp {

namespace fs = std::filesystem;

const char* const kPackageMark = ".tessaly-rtpgen";

const std::vector<std::string>& MaterialFolders() {
  static const std::vector<std::string> kFolders = {"Backdrop",      "Battle",       "CharSet", "ChipSet", "FaceSet",
                                                    "GameOver",      "Monster",      "Movie",   "Music",   "Panorama",
                                                    "Picture",       "Sound",        "System",  "Title",   "Battle2",
                                                    "BattleCharSet", "BattleWeapon", "Frame",   "System2"};
  return kFolders;
}

std::vector<TPackagePicture> DrawPackagePictures() {
  std::vector<TPackagePicture> out;
  auto add = [&](const std::string& folder, std::vector<TNamedPicture> pictures) {
    for (auto& p : pictures) out.push_back({folder, p.name, std::move(p.picture)});
  };
  out.push_back({"ChipSet", "Field", AssembleTileset(DrawFieldTileset())});
  out.push_back({"ChipSet", "Dungeon", AssembleTileset(DrawDungeonTileset())});
  out.push_back({"CharSet", "Heroes", DrawCharacterSheet(HeroLooks())});
  out.push_back({"CharSet", "People", DrawCharacterSheet(PeopleLooks())});
  out.push_back({"CharSet", "Creatures", DrawCharacterSheet(CreatureLooks())});
  out.push_back({"FaceSet", "Heroes", DrawFaceSheet(HeroLooks())});
  out.push_back({"FaceSet", "People", DrawFaceSheet(PeopleLooks())});
  add("Title", DrawTitles());
  add("GameOver", DrawGameOvers());
  add("Backdrop", DrawBackdrops());
  add("Panorama", DrawPanoramas());
  add("Frame", DrawFrames());
  add("Picture", DrawPictures());
  add("System", DrawSystems());
  add("System2", DrawSystem2s());
  add("Monster", DrawMonsters());
  add("Battle", DrawBattleAnimations());
  add("Battle2", DrawLargeBattleAnimations());
  add("BattleCharSet", DrawBattleCharSets());
  add("BattleWeapon", DrawBattleWeapons());
  return out;
}

std::vector<TPackageSound> MakePackageSounds() {
  std::vector<TPackageSound> out;
  for (auto& song : ComposeSongs()) out.push_back({"Music", song.name + ".mid", std::move(song.data)});
  for (auto& sound : SynthesizeSounds()) out.push_back({"Sound", sound.name + ".wav", std::move(sound.data)});
  return out;
}

TBitmap ToBitmap(const TIndexedCanvas& canvas) {
  TBitmap bitmap(canvas.Width(), canvas.Height(), TPixelFormat::Indexed8);
  bitmap.Palette().resize(256);
  for (int i = 0; i < 256; ++i) {
    const auto& c = canvas.Palette()[i];
    bitmap.Palette()[i] = {c.r, c.g, c.b};
  }
  for (int y = 0; y < canvas.Height(); ++y)
    std::copy_n(canvas.Pixels().begin() + ptrdiff_t(y) * canvas.Width(), canvas.Width(), bitmap.Row(y));
  return bitmap;
}

namespace {
void Check(const std::error_code& ec, const fs::path& path, const char* what) {
  if (ec) throw EFileError("Cannot " + std::string(what) + " " + path.string() + ": " + ec.message());
}
}  // namespace

int WriteRuntimePackage(const std::string& rootName) {
  fs::path root(rootName);
  std::error_code ec;
  if (fs::exists(root / kPackageMark, ec)) {
    for (const auto& folder : MaterialFolders()) {
      fs::remove_all(root / folder, ec);
      Check(ec, root / folder, "empty");
    }
  }
  fs::create_directories(root, ec);
  Check(ec, root, "create");
  for (const auto& folder : MaterialFolders()) {
    fs::create_directories(root / folder, ec);
    Check(ec, root / folder, "create");
  }
  WriteFileAtomic((root / kPackageMark).string(), std::string("Written by tessaly-rtpgen.\n"));
  int count = 0;
  for (const auto& p : DrawPackagePictures()) {
    SavePictureFile(ToBitmap(p.picture), (root / p.folder / (p.name + ".png")).string());
    ++count;
  }
  for (const auto& s : MakePackageSounds()) {
    WriteFileAtomic((root / s.folder / s.name).string(), s.data);
    ++count;
  }
  return count;
}

}  // namespace tess::rtp
