#include "media/MaterialManager.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "core/AtomicFile.h"
#include "core/MaterialFiles.h"
#include "core/NameEncoding.h"
#include "core/PathUtils.h"
#include "media/CorvidPng.h"
#include "media/PictureFile.h"

namespace tess {

const char* const kInvalidColorDepth = "Invalid color depth.";
const char* const kInvalidImageSize = "Invalid image size.";
const char* const kCouldNotDeleteFile = "Could not delete file.";

namespace {

constexpr int kAny = 1 << 30;
using K = TMaterialKind;

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
std::string StemOf(const std::string& fileName) {
  const size_t dot = fileName.find_last_of('.');
  return dot == std::string::npos || dot == 0 ? fileName : fileName.substr(0, dot);
}
std::string ParentOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

[[noreturn]] void RefuseOntoItself(const std::string& path) {
  throw EFileError("Cannot write file \"" + path + "\". It is the file to be copied itself.");
}

}  // namespace

const std::vector<TMaterialFolder>& ResourceFolders() {
  static const std::vector<TMaterialFolder> folders = {
      {"Backdrop", K::Picture, 320, 320, 160, kAny, false},
      {"Battle", K::Picture, 1, 480, 1, 480, true},
      {"Battle2", K::Picture, 1, 960, 1, 960, true},
      {"BattleCharSet", K::Picture, 144, 144, 384, 384, true},
      {"BattleWeapon", K::Picture, 192, 192, 512, 512, true},
      {"CharSet", K::Picture, 288, 288, 256, 256, true},
      {"ChipSet", K::Picture, 480, 480, 256, 256, true},
      {"FaceSet", K::Picture, 192, 192, 192, 192, true},
      {"Frame", K::Picture, 320, 320, 240, 240, true},
      {"GameOver", K::Picture, 320, 320, 240, 240, false},
      {"Monster", K::Picture, 16, 200, 16, 240, true},
      {"Movie", K::Movie},
      {"Music", K::Music},
      {"Panorama", K::Picture, 80, 640, 80, 480, false},
      {"Picture", K::Picture, 1, 640, 1, 480, true},
      {"Sound", K::Sound},
      {"System", K::Picture, 160, 160, 80, 80, true},
      {"System2", K::Picture, 80, 80, 96, 96, true},
      {"Title", K::Picture, 320, 320, 240, 240, false},
  };
  return folders;
}

int ResourceFolderIndex(const std::string& name) {
  const auto& folders = ResourceFolders();
  for (size_t i = 0; i < folders.size(); ++i)
    if (name == folders[i].name) return static_cast<int>(i);
  return -1;
}

const std::vector<std::string>& MaterialExtensions(const TMaterialFolder& folder) {
  switch (folder.kind) {
    case K::Movie:
      return MovieExtensions();
    case K::Music:
      return MusicExtensions();
    case K::Sound:
      return SoundExtensions();
    case K::Picture:
      break;
  }
  return PictureExtensions();
}

bool FitsFolder(const TMaterialFolder& folder, int width, int height) {
  return width >= folder.minWidth && width <= folder.maxWidth && height >= folder.minHeight &&
         height <= folder.maxHeight;
}

const TMaterialFolder* FindPictureFolder(const std::string& name) {
  const int index = ResourceFolderIndex(name);
  if (index < 0) return nullptr;
  const TMaterialFolder& folder = ResourceFolders()[static_cast<size_t>(index)];
  return folder.kind == K::Picture ? &folder : nullptr;
}

std::string SizeRuleText(const TMaterialFolder& folder) {
  auto range = [](int low, int high) {
    if (low == high) return std::to_string(low);
    if (low <= 1) return "at most " + std::to_string(high);
    if (high >= kAny) return "at least " + std::to_string(low);
    return std::to_string(low) + " to " + std::to_string(high);
  };
  const bool exact = folder.minWidth == folder.maxWidth && folder.minHeight == folder.maxHeight;
  if (exact || (folder.minWidth <= 1 && folder.minHeight <= 1 && folder.maxWidth < kAny && folder.maxHeight < kAny))
    return (exact ? "" : "at most ") + std::to_string(folder.maxWidth) + " x " + std::to_string(folder.maxHeight);
  return "a width of " + range(folder.minWidth, folder.maxWidth) + " and a height of " +
         range(folder.minHeight, folder.maxHeight);
}

std::string PictureRuleProblem(const TMaterialFolder& folder, const TBitmap& picture) {
  const std::string name = folder.name;
  if (picture.Format() != TPixelFormat::Indexed8 || picture.BitsPerPixel() != 8)
    return "the picture has " + std::to_string(picture.BitsPerPixel()) + " bits per pixel; " + name +
           " takes 8-bit palette pictures";
  if (!FitsFolder(folder, picture.Width(), picture.Height()))
    return "the picture is " + std::to_string(picture.Width()) + " x " + std::to_string(picture.Height()) +
           " pixels; " + name + " takes " + SizeRuleText(folder);
  return {};
}

void LoadImportPicture(const std::string& path, TImportPicture& picture) {
  const Bytes data = ReadWholeFile(path);
  picture.alpha.clear();
  if (data.size() >= 4 && PictureFormatOfData(data.data(), data.size()) == TPictureFormat::Png) {
    DecodePngWithAlpha(picture.bitmap, picture.alpha, data.data(), data.size());
    return;
  }
  LoadPictureBytes(picture.bitmap, data);
}

void SwapTransparentIndex(TBitmap& bitmap, int k) {
  if (k <= 0 || k > 255 || bitmap.Format() != TPixelFormat::Indexed8) return;
  auto& palette = bitmap.Palette();
  if (palette.size() < 256) palette.resize(256);
  std::swap(palette[0], palette[k]);
  const uint8_t from = static_cast<uint8_t>(k);
  for (int y = 0; y < bitmap.Height(); ++y) {
    uint8_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x)
      if (row[x] == from)
        row[x] = 0;
      else if (row[x] == 0)
        row[x] = from;
  }
}

TRgb BlinkColour(TRgb c) {
  auto blink = [](uint8_t v) { return static_cast<uint8_t>(std::max(0, v - 100) + 80); };
  return {blink(c.red), blink(c.green), blink(c.blue)};
}

TMaterialManager::TMaterialManager(std::string projectFolder, std::string runtimePackageFolder)
    : project_(WithTrailingBackslash(projectFolder)), rtp_(WithTrailingBackslash(runtimePackageFolder)) {}

std::vector<std::string> TMaterialManager::Entries(int folder) const {
  const TMaterialFolder& f = ResourceFolders().at(static_cast<size_t>(folder));
  return ListMaterials(project_, rtp_, f.name, MaterialExtensions(f));
}

std::string TMaterialManager::Locate(int folder, const std::string& entry) const {
  const TMaterialFolder& f = ResourceFolders().at(static_cast<size_t>(folder));
  const std::string found =
      FindMaterialFile(project_, rtp_, StripRuntimePackageMark(entry), f.name, MaterialExtensions(f));
  // The lookup hands the name back when neither folder has it.
  return !found.empty() && found[0] == '/' && IsFile(found) ? found : std::string();
}

bool TMaterialManager::InRuntimePackage(int folder, const std::string& file) const {
  if (rtp_.empty()) return false;
  const auto rtpFolder = FindNameNoCase(rtp_, ResourceFolders().at(static_cast<size_t>(folder)).name);
  return rtpFolder && SameFile(ParentOf(file), *rtpFolder);
}

std::string TMaterialManager::ProjectSubFolder(int folder) const {
  const std::string name = ResourceFolders().at(static_cast<size_t>(folder)).name;
  if (auto existing = FindNameNoCase(project_, name); existing && IsFolder(*existing))
    return WithTrailingBackslash(*existing);
  std::error_code ec;
  std::filesystem::create_directories(project_ + name, ec);
  if (ec) throw EFileError("Cannot write file \"" + project_ + name + "\". " + ec.message());
  return project_ + name + "/";
}

std::optional<std::string> TMaterialManager::Import(int folder, const std::string& source, TImportFormat format,
                                                    const TImportChoices& choices) {
  const TMaterialFolder& f = ResourceFolders().at(static_cast<size_t>(folder));
  // The copy is named in UTF-8, as the file system here names files, whatever the source's name
  // was; the name returned is the one the project stores (its code page's bytes).
  const std::string fileName = DiskNameOf(FileNameOf(source));
  const std::string diskStem = StemOf(fileName);
  const std::string stem = StoredNameOf(diskStem);
  auto destinationFor = [&](const std::string& name) {
    const std::string into = ProjectSubFolder(folder);
    // A file already there under another case is replaced under its own name.
    const auto existing = FindNameNoCase(into, name);
    return existing ? *existing : into + name;
  };

  if (f.kind != K::Picture) {
    // A source that is not there makes no folder either.
    if (!IsFile(source)) throw EFileError("Cannot open file \"" + ShownPath(source) + "\". No such file.");
    CopyFileAtomic(source, destinationFor(fileName));
    return stem;
  }

  TImportPicture picture;
  LoadImportPicture(source, picture);
  TBitmap& bitmap = picture.bitmap;
  if (bitmap.Format() != TPixelFormat::Indexed8 || bitmap.BitsPerPixel() != 8) {
    // True colour with few enough colours may become a palette picture if the author agrees.
    TBitmap converted;
    const int colours = ConvertToExactPalette(bitmap, &picture.alpha, converted);
    if (colours < 0) throw EInvalidGraphic(kInvalidColorDepth);
    if (!FitsFolder(f, bitmap.Width(), bitmap.Height())) throw EInvalidGraphic(kInvalidImageSize);
    if (!choices.convertToPalette || !choices.convertToPalette(colours)) throw EInvalidGraphic(kInvalidColorDepth);
    bitmap = std::move(converted);
  }
  if (!FitsFolder(f, bitmap.Width(), bitmap.Height())) throw EInvalidGraphic(kInvalidImageSize);
  if (f.choosesTransparent) {
    const std::optional<int> k = choices.chooseTransparent ? choices.chooseTransparent(bitmap) : std::optional<int>(0);
    if (!k) return std::nullopt;
    SwapTransparentIndex(bitmap, *k);
  }
  const std::string extension = format == TImportFormat::Xyz ? "xyz" : "png";
  const std::string destination = destinationFor(diskStem + "." + extension);
  if (SameFile(source, destination)) RefuseOntoItself(destination);
  SavePictureFile(bitmap, destination);

  // A picture of the same name in another format would be found first and hide the new one: it is
  // the material's earlier version and goes (unless it is the very file imported).
  const std::string into = ParentOf(destination);
  for (const std::string& other : PictureExtensions()) {
    if (other == extension) continue;
    const auto shadow = FindNameNoCase(into, diskStem + "." + other);
    if (shadow && IsFile(*shadow) && !SameFile(*shadow, destination) && !SameFile(*shadow, source))
      std::remove(shadow->c_str());
  }
  return stem;
}

void TMaterialManager::Export(int folder, const std::string& entry, const std::string& destination) {
  const TMaterialFolder& f = ResourceFolders().at(static_cast<size_t>(folder));
  const std::string file = Locate(folder, entry);
  if (file.empty())
    throw EFileError("Cannot open file " + std::string(f.name) + "/" +
                     DescribeMissingName(StripRuntimePackageMark(entry)) +
                     ". No such material in the project or the runtime package.");
  if (f.kind != K::Picture) {
    CopyFileAtomic(file, destination);
    return;
  }
  if (SameFile(file, destination)) RefuseOntoItself(destination);
  TBitmap bitmap;
  LoadPictureFile(bitmap, file);
  SavePictureFile(bitmap, destination);
}

TMaterialManager::TDeleteResult TMaterialManager::Delete(int folder, const std::string& entry,
                                                         const std::function<bool(const std::string&)>& confirm) {
  const std::string file = Locate(folder, entry);
  if (file.empty()) return TDeleteResult::NotFound;
  if (InRuntimePackage(folder, file)) return TDeleteResult::RuntimePackage;
  if (!confirm(FileNameOf(file))) return TDeleteResult::Cancelled;
  return std::remove(file.c_str()) == 0 ? TDeleteResult::Deleted : TDeleteResult::Failed;
}

}  // namespace tess
