#include "cli/RenderMapCommand.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <ostream>
#include <stdexcept>

#include "cli/MapChoice.h"
#include "cli/ProgramFolder.h"
#include "core/AtomicFile.h"
#include "core/MaterialFiles.h"
#include "core/PathUtils.h"
#include "core/ProjectFolder.h"
#include "database/DataBaseObj.h"
#include "maps/CellMarker.h"
#include "maps/EventMap.h"
#include "maps/GR_CharSet.h"
#include "maps/GR_ChipSet.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "maps/MapDrawing.h"
#include "maps/StartPosMark.h"
#include "media/BoardPicture.h"
#include "media/CorvidPng.h"
#include "media/PictureFile.h"
#include "platform/Settings.h"

namespace tess::cli {

namespace {

constexpr const char* kUsage =
    "usage: tessaly-cli render-map PROJECT_DIR MAP_ID OUT.png [--zoom 1|2|4|8] [--frame N] "
    "[--layers lower,upper,events] [--rtp-folder PATH]\n";

// A band of the picture is drawn into a board of about this many bytes.
constexpr int64_t kBandBytes = 4 << 20;

bool ParseInt(const std::string& text, int& value) {
  const char* end = text.data() + text.size();
  auto [p, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && p == end;
}

// Every colour the drawing can put on the board: the tileset's palette, the panorama's when it is
// shown, the cleared board's black where no lower layer covers it, the error cell when a cell
// holds an id outside every range, and on the event layer the marks' and the character sheets'
// colours (the marks are drawn opaque there, so their colours stay exact).
std::vector<uint16_t> PossibleColours(const TLcfMap& map, const TLcfChipSetGraphic& graphic,
                                      const TCorvidSheet* panorama, const TRenderMapOptions& options,
                                      const TEventLayer* events) {
  std::vector<uint16_t> colours(graphic.sheet.palette16.begin(), graphic.sheet.palette16.end());
  if (!options.lower || !graphic.HasTileset()) colours.push_back(0);
  auto anyInvalid = [&](const TLcfMapLayer& layer) {
    return std::any_of(layer.cells.begin(), layer.cells.end(),
                       [&](uint16_t id) { return graphic.TileKeyOf(id, 0) < 0; });
  };
  if ((options.lower && anyInvalid(map.lower)) || (options.upper && anyInvalid(map.upper)))
    colours.push_back(kErrorCellColour);
  if (options.lower && PanoramaShown(map, panorama))
    colours.insert(colours.end(), panorama->palette16.begin(), panorama->palette16.end());
  if (options.events && events && events->charSets) {
    const TCorvidSheet& marks = *TStartPosMark::Shared().Strip(options.cellSize);
    colours.insert(colours.end(), marks.palette16.begin() + 1, marks.palette16.end());
    for (int i = 0; i < events->charSets->Count(); ++i) {
      const TCorvidSheet& sheet = events->charSets->SheetAt(i);
      colours.insert(colours.end(), sheet.palette16.begin() + 1, sheet.palette16.end());
    }
  }
  std::sort(colours.begin(), colours.end());
  colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
  return colours;
}

std::string RuntimePackageFor(const std::string& given) {
  if (!given.empty()) return AbsoluteFolder(given);
  TSettings settings;
  const std::string registered = settings.RuntimePackagePath();
  if (!registered.empty()) return WithTrailingBackslash(registered);
  // The editor's own package.
  const std::string appFolder = EditorFolder();
  const auto rtp = appFolder.empty() ? std::nullopt : FindNameNoCase(appFolder, "RTP");
  return rtp && IsFolder(*rtp) ? AbsoluteFolder(*rtp) : std::string();
}

}  // namespace

Bytes RenderMapPng(const TLcfMap& map, TLcfChipSetGraphic& graphic, TCorvidSheet* panorama,
                   const TRenderMapOptions& options, const TEventLayer* events) {
  const int size = options.cellSize;
  const int64_t width64 = int64_t{map.width} * size, height64 = int64_t{map.height} * size;
  if (map.width <= 0 || map.height <= 0 || width64 > kMaxPictureSide || height64 > kMaxPictureSide)
    throw std::runtime_error("the map's picture would be " + std::to_string(width64) + " x " +
                             std::to_string(height64) + " pixels, which no picture can hold");
  const int width = static_cast<int>(width64), height = static_cast<int>(height64);

  const std::vector<uint16_t> colours = PossibleColours(map, graphic, panorama, options, events);
  const bool indexed = colours.size() <= 256;
  std::vector<TRgb> palette;
  std::vector<uint8_t> indexOf;
  if (indexed) {
    indexOf.assign(65536, 0);
    for (size_t i = 0; i < colours.size(); ++i) {
      palette.push_back(Rgb565ToRgb(colours[i]));
      indexOf[colours[i]] = static_cast<uint8_t>(i);
    }
  }
  TPngRowEncoder png(width, height, indexed ? &palette : nullptr);

  const int bandCells = static_cast<int>(std::clamp<int64_t>(kBandBytes / (width64 * 2 * size), 1, map.height));
  TCorvidBoard board;
  board.SetSize(width, bandCells * size);
  std::vector<uint8_t> row(static_cast<size_t>(width) * (indexed ? 1 : 3));
  TMapDrawOptions draw;
  draw.cellSize = size;
  draw.counter = options.counter;
  draw.lower = options.lower;
  draw.upper = options.upper;
  draw.events = options.events ? events : nullptr;
  for (int top = 0; top < map.height; top += bandCells) {
    const int cells = std::min(bandCells, map.height - top);
    board.Clear();
    DrawMapCells(board, {0, -top * size}, map, TRect{0, top, map.width, top + cells}, graphic, panorama, draw);
    for (int y = 0; y < cells * size; ++y) {
      const uint16_t* from = board.Row(y);
      if (indexed) {
        for (int x = 0; x < width; ++x) row[x] = indexOf[from[x]];
      } else {
        for (int x = 0; x < width; ++x) {
          const TRgb c = Rgb565ToRgb(from[x]);
          row[3 * x] = c.red, row[3 * x + 1] = c.green, row[3 * x + 2] = c.blue;
        }
      }
      png.AddRow(row.data());
    }
  }
  return png.Finish();
}

int RenderMap(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> words;
  TRenderMapOptions options;
  std::string rtpFolder;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--zoom" && hasValue) {
      int zoom = 0;
      if (!ParseInt(args[++i], zoom) || (zoom != 1 && zoom != 2 && zoom != 4 && zoom != 8)) {
        err << "tessaly-cli: --zoom takes 1, 2, 4 or 8 (1/1 to 1/8)\n";
        return 2;
      }
      options.cellSize = 32 / zoom;
    } else if (a == "--frame" && hasValue) {
      if (!ParseInt(args[++i], options.counter) || options.counter < 0) {
        err << "tessaly-cli: --frame takes an animation tick count of 0 or more\n";
        return 2;
      }
    } else if (a == "--layers" && hasValue) {
      options.lower = options.upper = false;
      std::string list = args[++i] + ",";
      for (size_t start = 0, comma; (comma = list.find(',', start)) != std::string::npos; start = comma + 1) {
        const std::string layer = list.substr(start, comma - start);
        if (layer == "lower") {
          options.lower = true;
        } else if (layer == "upper") {
          options.upper = true;
        } else if (layer == "events") {
          options.events = true;
        } else {
          err << "tessaly-cli: --layers takes lower, upper and events, separated by commas\n";
          return 2;
        }
      }
    } else if (a == "--rtp-folder" && hasValue) {
      rtpFolder = args[++i];
    } else if (a.rfind("--", 0) == 0) {
      err << kUsage;
      return 2;
    } else {
      words.push_back(a);
    }
  }
  int mapId = 0;
  if (words.size() != 3 || !ParseInt(words[1], mapId) || mapId < 1 || mapId > 9999) {
    err << kUsage;
    return 2;
  }
  // The picture is written in the format its name's extension names; any other name is refused,
  // so that a slip of the arguments never writes a picture over a map, the database or the tree.
  const std::string outExtension = LowerAscii(std::filesystem::path(words[2]).extension().string());
  if (outExtension != ".png" && outExtension != ".bmp") {
    err << "tessaly-cli: " << words[2] << ": the picture is written as PNG or BMP; name it .png or .bmp\n";
    return 1;
  }
  const std::string project = AbsoluteFolder(words[0]);
  if (!IsFolder(project)) {
    err << "tessaly-cli: " << words[0] << " is not a folder\n";
    return 1;
  }
  // Nor over a picture the game shows: an existing file in one of the project's material folders.
  {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::weakly_canonical(words[2], error);
    const std::filesystem::path base = std::filesystem::weakly_canonical(StripTrailingSlashes(project), error);
    const std::filesystem::path folder = target.parent_path();
    if (!error && std::filesystem::exists(target) && folder.parent_path() == base)
      for (const std::string& name : MaterialFolderNames())
        if (EqualsNoCase(folder.filename().string(), name)) {
          err << "tessaly-cli: " << words[2] << " is a picture of the project; it is not written over\n";
          return 1;
        }
  }
  if (!rtpFolder.empty() && !NamedRuntimePackageExists(rtpFolder, err)) return 1;
  SetProjectFolder(project);
  SetCurrentRuntimePackageFolder(RuntimePackageFor(rtpFolder));
  if (const std::string problem = MapIdProblem(project, mapId); !problem.empty()) {
    err << "tessaly-cli: " << problem << "\n";
    return 1;
  }

  TLcfDataBase database;
  std::string why;
  if (!database.LoadDatabase(project, &why, TErrorWording::Plain)) {
    err << "tessaly-cli: " << kDataBaseFileName << ": " << why << "\n";
    return 1;
  }
  TLcfMap map;
  map.tilesetExists = [&](int32_t id) { return database.tilesets.FindById(id) != nullptr; };
  try {
    map.LoadFromProject(project, mapId);
  } catch (const ETessError& e) {
    err << "tessaly-cli: " << MapFileName(mapId) << ": " << e.Plain() << "\n";
    return 1;
  }

  bool complete = true;
  const TLcfChipSetItem* tileset = database.tilesets.FindById(map.tilesetId);
  if (!tileset) {
    err << "tessaly-cli: " << MapFileName(mapId) << " names tileset " << map.tilesetId
        << ", which the database lacks; its cells are left blank\n";
    complete = false;
  }
  TLcfChipSetGraphic graphic;
  graphic.SetTileset(tileset);
  if (!graphic.pictureError.empty()) {
    err << "tessaly-cli: " << graphic.pictureError << "; its cells show the placeholder stripes\n";
    complete = false;
  }
  TCorvidSheet panorama;
  if (map.usePanorama && options.lower) {
    const std::string problem = LoadMapPanorama(panorama, map.panoramaName);
    if (!problem.empty()) {
      err << "tessaly-cli: " << problem << "; the background is left blank\n";
      complete = false;
    }
  }
  // The event layer: the start positions come from the map tree, the events' sheets from CharSet.
  TLcfEventMap grid;
  TLcfCharSetGraphic charSets;
  TCellMarkerPainter painter;
  TEventLayer events;
  if (options.events) {
    TLcfMapTree tree;
    tree.projectFolder = project;
    bool treeLoaded = true;
    try {
      tree.LoadTree();
    } catch (const ETessError& e) {
      err << "tessaly-cli: " << kMapTreeFileName << ": " << e.Plain() << "; the start positions are not shown\n";
      complete = treeLoaded = false;
    }
    grid.Build(treeLoaded ? &tree : nullptr, map);
    charSets.Refresh(map.events);
    for (int i = 0; i < charSets.Count(); ++i) {
      if (charSets.LoadedAt(i)) continue;
      err << "tessaly-cli: " << charSets.ErrorAt(i) << "; its events are drawn as the event mark\n";
      complete = false;
    }
    events = TEventLayer{&grid, &charSets, &painter, TMarkerStyle::Picture};
  }
  Bytes picture = RenderMapPng(map, graphic, &panorama, options, &events);
  if (outExtension == ".bmp") {
    TBitmap bitmap;
    LoadPictureBytes(bitmap, picture);
    picture = SavePictureBytes(bitmap, TPictureFormat::Bmp);
  }
  WriteFileAtomic(words[2], picture);
  out << words[2] << ": map " << mapId << ", " << map.width * options.cellSize << " x " << map.height * options.cellSize
      << " pixels\n";
  return complete ? 0 : 1;
}

}  // namespace tess::cli
