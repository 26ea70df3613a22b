// tessaly-fuzzseeds: the seed files of the fuzz targets, made through the models.
//
//   tessaly-fuzzseeds write FOLDER   writes FOLDER/<target>/<seed> for every target
//   tessaly-fuzzseeds check FOLDER   checks that every seed in FOLDER loads through the loader of its
//                                    target and stays small
//
// Seeds are small on purpose: a fuzzer runs thousands of inputs a second on files of a few
// kilobytes and a hundred a minute on files of megabytes. They are kept in the repository, so a
// fuzz run starts from the same place everywhere; after a change of a format, write them again.
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/AtomicFile.h"
#include "core/Lh5Codec.h"
#include "core/LhaArchive.h"
#include "core/SampleRecords.h"
#include "core/StreamUtils.h"
#include "database/DataBaseObj.h"
#include "events/LD_EventScript.h"
#include "events/LD_MoveRoute.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "media/BmpFile.h"
#include "media/CorvidPng.h"
#include "media/CorvidXyz.h"
#include "media/MidiFile.h"
#include "media/MsAdpcm.h"
#include "media/WaveFile.h"
#include "textform/TextForm.h"

namespace tess::fuzz {

namespace {

namespace fs = std::filesystem;

constexpr uintmax_t kMaxSeedSize = 100 * 1024;

using TSeeds = std::map<std::string, Bytes>;

struct TTarget {
  const char* name;                        // the fuzz target without "fuzz_"
  std::function<TSeeds()> make;            // its seeds by file name
  std::function<void(const Bytes&)> load;  // raises when a seed does not load
};

// ------------------------------------------------------------------ scripts

TLcfEventScriptList SampleScript() {
  TLcfEventScriptList script;
  const TLcfEventScriptLine lines[] = {
      {10110, 0, "Welcome to the village."},
      {20110, 0, "Rest at the inn."},
      {12010, 0, "", {0, 3, 0, 0, 0, 0}},
      {11410, 1, "", {20}},
      {10, 1},
      {22010, 0},
      {10220, 1, "", {0, 0, 2, 0, 0, 5, 0}},
      {10, 1},
      {22011, 0},
      {11510, 0, "Inn", {1, 80, 100, 50}},
      {0, 0},
  };
  for (const TLcfEventScriptLine& line : lines) script.AppendLine(line);
  return script;
}

std::vector<TLcfMoveRouteItem> SampleRoute() {
  std::vector<TLcfMoveRouteItem> route;
  for (int32_t code : {0, 1, 2, 3, 11, 23}) route.push_back({code});
  route.push_back({mcSwitchOn, 7});
  route.push_back({mcChangeGraphic, 0, "Villager", 3});
  route.push_back({mcSoundEffect, 0, {}, 0, "Step", 90, 100, 50});
  return route;
}

// ------------------------------------------------------------------ data files

TSeeds DatabaseSeeds() {
  TLcfDataBase reset;
  reset.ResetDatabase();
  TLcfDataBase db;
  db.ResetDatabase();
  db.system.formatVersion = TLcfSystem::kCurrentFormatVersion;
  auto name = [](auto& list, int n, const char* stem) {
    list.SetCount(n);
    for (int i = 0; i < n; ++i) list.ItemAt(i)->name = stem + std::to_string(i + 1);
  };
  name(db.heroes, 3, "Hero");
  name(db.classes, 2, "Class");
  name(db.skills, 4, "Skill");
  name(db.items, 6, "Item");
  name(db.monsters, 3, "Monster");
  name(db.troops, 2, "Troop");
  name(db.terrain, 3, "Ground");
  name(db.attributes, 3, "Element");
  name(db.conditions, 3, "Status");
  name(db.animations, 2, "Slash");
  name(db.tilesets, 2, "Tiles");
  name(db.switches, 5, "Switch");
  name(db.variables, 5, "Variable");
  name(db.commonEvents, 2, "Common");
  db.heroes.ItemAt(0)->charSetFile = "Hero";
  db.heroes.ItemAt(0)->faceSetFile = "Faces";
  db.monsters.ItemAt(0)->monsterFile = "Slime";
  db.tilesets.ItemAt(0)->chipSetFile = "World";
  db.commonEvents.ItemAt(0)->lines = SampleScript();
  db.troops.ItemAt(0)->pages.ItemAt(0)->lines = SampleScript();
  db.animations.ItemAt(0)->InsertFrame(0);
  db.system.titleName = "Title";
  TSeeds seeds{{"reset.ldb", reset.SaveToMemory(TCatalogVarData::Mode::Copy)},
               {"filled.ldb", db.SaveToMemory(TCatalogVarData::Mode::Copy)}};
  // The same in the older format, which keeps some blocks in other sizes.
  db.system.formatVersion = 2000;
  seeds["older.ldb"] = db.SaveToMemory(TCatalogVarData::Mode::Copy);
  return seeds;
}

TSeeds MapSeeds() {
  TLcfMap tiny;
  TLcfMap map;
  map.SetWidth(24);
  map.SetHeight(18);
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 24; ++x) {
      map.lower.SetCell(x, y, (x + y) % 3 ? 5000 + (x % 12) : 4000 + 50 * (y % 12) + x % 47);
      if (x == y) map.upper.SetCell(x, y, 10000 + x);
    }
  map.usePanorama = 1;
  map.panoramaName = "Sky";
  for (int32_t id : {1, 2, 3}) {
    TLcfEventItem* event = map.events.Obtain(id);
    event->name = "EV000" + std::to_string(id);
    event->x = id * 3;
    event->y = id;
    TLcfEventPageItem* page = event->pages.ItemAt(0);
    page->graphicName = "Villager";
    page->lines = SampleScript();
    for (const TLcfMoveRouteItem& command : SampleRoute()) page->moveRoute.AppendCommand(command);
    event->pages.Append()->lines = SampleScript();
  }
  return {{"tiny.lmu", tiny.SaveToBytes()}, {"small.lmu", map.SaveToBytes()}};
}

void FillTree(TLcfMapTree& tree) {
  tree.AddNode(0, 0)->name = "Game";
  tree.AddNode(0, 1)->nodeType = TLcfMapTreeItem::kMap;
  tree.AddNode(1, 2)->nodeType = TLcfMapTreeItem::kMap;
  TLcfMapTreeItem* area = tree.AddNode(1, 3);
  area->nodeType = TLcfMapTreeItem::kArea;
  area->areaRect[2] = area->areaRect[3] = 5;
  area->encounters.SetCount(2);
  TLcfMapTreeItem* town = tree.FindById(2);
  town->name = "Town";
  town->musicType = 2;
  town->music.name = "Theme";
  town->backdropType = 2;
  town->backdropName = "Field";
  tree.currentId = 2;
  tree.startPositions.SetMapId(TLcfMapStartPosition::kParty, 1);
  tree.startPositions.SetX(TLcfMapStartPosition::kParty, 4);
  tree.startPositions.SetMapId(TLcfMapStartPosition::kShip, 2);
}

TSeeds MapTreeSeeds() {
  TLcfMapTree tree, odd;
  FillTree(tree);
  // Nodes out of id order in the display order, and a current node that is an area.
  FillTree(odd);
  odd.order = {0, 2, 1, 3};
  odd.currentId = 3;
  return {{"small.lmt", tree.SaveToBytes()}, {"odd.lmt", odd.SaveToBytes()}};
}

// ------------------------------------------------------------------ pictures

TBitmap Pattern(int width, int height, TPixelFormat format) {
  TBitmap picture(width, height, format);
  if (format == TPixelFormat::Indexed8) {
    picture.Palette().resize(16);
    for (int i = 0; i < 16; ++i)
      picture.Palette()[i] = TRgb{static_cast<uint8_t>(i * 16), static_cast<uint8_t>(255 - i * 9), 40};
  }
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* row = picture.Row(y);
      if (format == TPixelFormat::Indexed8) {
        row[x] = static_cast<uint8_t>((x * 3 + y) % 16);
      } else {
        for (int c = 0; c < 3; ++c) row[3 * x + c] = static_cast<uint8_t>(x * 20 + y * 7 + c * 60);
      }
    }
  return picture;
}

// A BMP file of any depth: the 40-byte header, a palette for the small depths, then the pixel
// bytes as given (rows bottom-up, or compressed data).
Bytes BmpFile(int width, int height, int bits, int compression, const Bytes& pixels) {
  const int colours = bits <= 8 ? 1 << bits : 0;
  const uint32_t offBits = 14 + 40 + 4 * colours;
  Bytes b{'B', 'M'};
  TByteWriter w(b);
  w.WriteU32(offBits + static_cast<uint32_t>(pixels.size()));
  w.WriteU32(0);
  w.WriteU32(offBits);
  w.WriteU32(40);
  w.WriteU32(static_cast<uint32_t>(width));
  w.WriteU32(static_cast<uint32_t>(height));
  w.WriteU16(1);
  w.WriteU16(static_cast<uint16_t>(bits));
  w.WriteU32(static_cast<uint32_t>(compression));
  w.WriteU32(static_cast<uint32_t>(pixels.size()));
  w.WriteU32(2835);
  w.WriteU32(2835);
  w.WriteU32(static_cast<uint32_t>(colours));
  w.WriteU32(0);
  for (int i = 0; i < colours; ++i) w.WriteU32(static_cast<uint32_t>(i * 0x00102030) & 0xFFFFFF);
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

// Plain rows of the given depth, each padded to four bytes.
Bytes BmpRows(int width, int height, int bits) {
  Bytes rows;
  const int stride = (width * bits + 31) / 32 * 4;
  for (int y = 0; y < height; ++y)
    for (int i = 0; i < stride; ++i)
      rows.push_back(static_cast<uint8_t>(i < (width * bits + 7) / 8 ? y * 31 + i * 7 : 0));
  return rows;
}

TSeeds BmpSeeds() {
  // RLE8: a run, an absolute stretch, a move, end of line and end of picture.
  const Bytes rle8{4, 1, 0, 3, 2, 3, 4, 0, 0, 2, 1, 1, 0, 0, 6, 5, 0, 1};
  // RLE4: runs of alternating nibbles and an absolute stretch.
  const Bytes rle4{6, 0x12, 0, 4, 0x34, 0x56, 0, 0, 8, 0x70, 0, 1};
  return {{"i8.bmp", EncodeBmp(Pattern(9, 5, TPixelFormat::Indexed8))},
          {"rgb24.bmp", EncodeBmp(Pattern(5, 4, TPixelFormat::Rgb24))},
          {"mono.bmp", BmpFile(10, 3, 1, 0, BmpRows(10, 3, 1))},
          {"i4.bmp", BmpFile(7, 3, 4, 0, BmpRows(7, 3, 4))},
          {"rgb16.bmp", BmpFile(5, 3, 16, 0, BmpRows(5, 3, 16))},
          {"rgb32.bmp", BmpFile(4, 3, 32, 0, BmpRows(4, 3, 32))},
          {"rle8.bmp", BmpFile(8, 3, 8, 1, rle8)},
          {"rle4.bmp", BmpFile(8, 2, 4, 2, rle4)}};
}

void PngChunk(Bytes& png, const char* type, const Bytes& data) {
  Bytes body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  const uint32_t n = static_cast<uint32_t>(data.size());
  for (int s : {24, 16, 8, 0}) png.push_back(static_cast<uint8_t>(n >> s));
  png.insert(png.end(), body.begin(), body.end());
  const uint32_t crc = static_cast<uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size())));
  for (int s : {24, 16, 8, 0}) png.push_back(static_cast<uint8_t>(crc >> s));
}

// A PNG whose rows use the five filter types in turn (our writer picks one per row by itself), with
// the image data split over two chunks.
Bytes FilteredPng(const TBitmap& picture) {
  const bool indexed = picture.Format() == TPixelFormat::Indexed8;
  const int bpp = indexed ? 1 : 3;
  const size_t stride = static_cast<size_t>(picture.Width()) * bpp;
  Bytes raw;
  for (int y = 0; y < picture.Height(); ++y) {
    const uint8_t filter = static_cast<uint8_t>(y % 5);
    raw.push_back(filter);
    const uint8_t* row = picture.Row(y);
    const uint8_t* up = y > 0 ? picture.Row(y - 1) : nullptr;
    for (size_t i = 0; i < stride; ++i) {
      const int a = i >= static_cast<size_t>(bpp) ? row[i - bpp] : 0, b = up ? up[i] : 0,
                c = up && i >= static_cast<size_t>(bpp) ? up[i - bpp] : 0;
      const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
      const int predictor[5] = {0, a, b, (a + b) / 2, pa <= pb && pa <= pc ? a : pb <= pc ? b : c};
      raw.push_back(static_cast<uint8_t>(row[i] - predictor[filter]));
    }
  }
  Bytes packed(compressBound(static_cast<uLong>(raw.size())));
  uLongf packedSize = static_cast<uLongf>(packed.size());
  compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()));
  packed.resize(packedSize);

  Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  for (uint32_t v : {static_cast<uint32_t>(picture.Width()), static_cast<uint32_t>(picture.Height())})
    for (int s : {24, 16, 8, 0}) header.push_back(static_cast<uint8_t>(v >> s));
  header.insert(header.end(), {8, static_cast<uint8_t>(indexed ? 3 : 2), 0, 0, 0});
  PngChunk(png, "IHDR", header);
  if (indexed) {
    Bytes palette;
    for (const TRgb& c : picture.Palette()) palette.insert(palette.end(), {c.red, c.green, c.blue});
    PngChunk(png, "PLTE", palette);
    PngChunk(png, "tRNS", {0});
  }
  PngChunk(png, "tEXt", {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 's', 'e', 'e', 'd'});
  const size_t half = packed.size() / 2;
  PngChunk(png, "IDAT", Bytes(packed.begin(), packed.begin() + static_cast<ptrdiff_t>(half)));
  PngChunk(png, "IDAT", Bytes(packed.begin() + static_cast<ptrdiff_t>(half), packed.end()));
  PngChunk(png, "IEND", {});
  return png;
}

TSeeds PngSeeds() {
  return {{"ours8.png", EncodePng(Pattern(12, 9, TPixelFormat::Indexed8))},
          {"ours24.png", EncodePng(Pattern(6, 4, TPixelFormat::Rgb24))},
          {"filtered8.png", FilteredPng(Pattern(11, 10, TPixelFormat::Indexed8))},
          {"filtered24.png", FilteredPng(Pattern(7, 10, TPixelFormat::Rgb24))}};
}

TSeeds XyzSeeds() {
  return {{"a.xyz", EncodeXyz(Pattern(8, 6, TPixelFormat::Indexed8))},
          {"b.xyz", EncodeXyz(Pattern(1, 1, TPixelFormat::Indexed8))},
          {"rgb.xyz", EncodeXyz(Pattern(5, 5, TPixelFormat::Rgb24))}};
}

// ------------------------------------------------------------------ archives, records, scripts

TSeeds LhaSeeds() {
  const std::string ini = "[TESS_RT]\r\nGameTitle=Seed\r\nMapEditMode=2\r\n";
  const Bytes text(ini.begin(), ini.end());
  Bytes repeated;
  for (int i = 0; i < 40; ++i) repeated.insert(repeated.end(), text.begin(), text.end());
  TMemoryStream archive;
  TLhaWriter writer(archive);
  writer.AddDirectory("Music", 1000000000);
  writer.AddFile("TESS_RT.ini", text, 1000000000, TLhaMethod::Stored);
  writer.AddFile("Map/Notes.txt", repeated, 1000000001, TLhaMethod::Lh5);
  writer.Finish();
  // The bare stream form of the target: the decoded size in three bytes, then the stream.
  Bytes stream{static_cast<uint8_t>(repeated.size()), static_cast<uint8_t>(repeated.size() >> 8), 0};
  const Bytes packed = Lh5Compress(repeated.data(), repeated.size());
  stream.insert(stream.end(), packed.begin(), packed.end());
  return {{"seed.lzh", archive.TakeData()}, {"seed.lh5", stream}};
}

TSeeds CatalogSeeds() {
  sample::TWideRecord record;
  record.name = "Wide";
  record.number = 300;
  record.negative = -5;
  record.enabled = 0;
  record.fixed[3] = 9;
  record.alwaysText = "always";
  record.values = {1, -2, 3};
  record.blob = {7, 8, 9};
  record.words = {100000, -1};
  record.packedLow = 3, record.packedHigh = 4;
  record.sub.value = 11;
  record.leaves.SetCount(3);
  Bytes bytes;
  record.SaveTo(bytes, TCatalogVarData::Mode::Copy);
  sample::TWideList list;
  list.SetCount(2);
  Bytes listBytes;
  list.SaveTo(listBytes, TCatalogVarData::Mode::Copy);
  return {{"record.bin", bytes}, {"list.bin", listBytes}};
}

TSeeds MoveRouteSeeds() {
  Bytes route;
  TLcfMoveRoute::EncodeCommands(SampleRoute(), route);
  return {{"route.bin", route}};
}

// The editing target takes a 16-bit length, a packed script of that length, then pairs of an
// editing operation and its argument.
Bytes EditingInput(const TLcfEventScriptList& script, const Bytes& operations) {
  Bytes block;
  script.EncodeTo(block);
  Bytes input{static_cast<uint8_t>(block.size()), static_cast<uint8_t>(block.size() >> 8)};
  input.insert(input.end(), block.begin(), block.end());
  input.insert(input.end(), operations.begin(), operations.end());
  return input;
}

TSeeds ScriptEditingSeeds() {
  TLcfEventScriptList end;
  end.AppendLine({0, 0});
  // The first byte picks the kind of script; then: select, move, insert, copy, cut, paste,
  // delete, select all, rebuild, paste a clipboard block, scroll.
  const Bytes everything{0, 0, 3, 1, 0x83, 2, 17, 3, 0, 5, 0, 4, 0, 6, 0, 7, 0, 8, 0, 10, 12, 0, 2, 9, 0};
  const Bytes moves{1, 1, 1, 1, 0x82, 0, 5, 1, 4, 1, 0x85, 10, 20};
  return {{"blocks", EditingInput(SampleScript(), everything)},
          {"move", EditingInput(SampleScript(), moves)},
          {"empty", EditingInput(end, {2, 2, 40, 5, 0})}};
}

// ------------------------------------------------------------------ sound

void Tag(Bytes& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }
void BigEndian(Bytes& b, uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

Bytes MidiFile(uint16_t format, uint16_t division, const std::vector<Bytes>& tracks) {
  Bytes b;
  Tag(b, "MThd");
  BigEndian(b, 6, 4);
  BigEndian(b, format, 2);
  BigEndian(b, static_cast<uint32_t>(tracks.size()), 2);
  BigEndian(b, division, 2);
  for (const Bytes& track : tracks) {
    Tag(b, "MTrk");
    BigEndian(b, static_cast<uint32_t>(track.size()), 4);
    b.insert(b.end(), track.begin(), track.end());
  }
  return b;
}

TSeeds MidiSeeds() {
  const Bytes conductor{0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,        // tempo
                        0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08,  // time signature
                        0x83, 0x00, 0xFF, 0x51, 0x03, 0x05, 0x00, 0x00,  // a faster tempo later
                        0x00, 0xFF, 0x2F, 0x00};
  const Bytes melody{0x00, 0xC0, 0x05,                                // program
                     0x00, 0xB0, 0x07, 0x64,                          // volume
                     0x00, 0x90, 0x3C, 0x64, 0x60, 0x3C, 0x00,        // a note, off by running status
                     0x00, 0xB0, 0x6F, 0x00,                          // the loop point
                     0x00, 0xE0, 0x00, 0x40,                          // pitch bend
                     0x00, 0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7,  // system exclusive
                     0x00, 0x91, 0x40, 0x50, 0x81, 0x40, 0x80, 0x40, 0x00, 0x00, 0xFF, 0x2F, 0x00};
  // A time-code division: 25 frames of 40 ticks.
  const Bytes single{0x00, 0x90, 0x45, 0x70, 0x28, 0x45, 0x00, 0x00, 0xFF, 0x2F, 0x00};
  return {{"two-tracks.mid", MidiFile(1, 96, {conductor, melody})}, {"time-code.mid", MidiFile(0, 0xE728, {single})}};
}

void Little(Bytes& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A RIFF wave with the given format chunk body and data.
Bytes WaveFile(const Bytes& format, const Bytes& data) {
  Bytes b;
  Tag(b, "RIFF");
  Little(b, static_cast<uint32_t>(4 + 8 + format.size() + 8 + data.size()), 4);
  Tag(b, "WAVE");
  Tag(b, "fmt ");
  Little(b, static_cast<uint32_t>(format.size()), 4);
  b.insert(b.end(), format.begin(), format.end());
  Tag(b, "data");
  Little(b, static_cast<uint32_t>(data.size()), 4);
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

Bytes PcmFormat(int channels, int bits, uint32_t rate) {
  Bytes f;
  const uint32_t align = static_cast<uint32_t>(channels * bits / 8);
  Little(f, kWaveFormatPcm, 2);
  Little(f, static_cast<uint32_t>(channels), 2);
  Little(f, rate, 4);
  Little(f, rate * align, 4);
  Little(f, align, 2);
  Little(f, static_cast<uint32_t>(bits), 2);
  return f;
}

// MS-ADPCM with the seven standard coefficient pairs, two blocks of noise.
Bytes AdpcmWave(int channels) {
  constexpr int16_t kPairs[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
  TWaveFormat format;
  format.channels = static_cast<uint16_t>(channels);
  format.blockAlign = static_cast<uint16_t>(32 * channels);
  format.samplesPerBlock = 0xFFFF;  // as many as the block holds
  const uint32_t perBlock = static_cast<uint32_t>(MsAdpcmFramesInBlock(format.blockAlign, format));
  Bytes f;
  Little(f, kWaveFormatMsAdpcm, 2);
  Little(f, static_cast<uint32_t>(channels), 2);
  Little(f, 22050, 4);
  Little(f, 22050u * format.blockAlign / perBlock, 4);
  Little(f, format.blockAlign, 2);
  Little(f, 4, 2);
  Little(f, 4 + 4 * 7, 2);
  Little(f, perBlock, 2);
  Little(f, 7, 2);
  for (const auto& pair : kPairs) {
    Little(f, static_cast<uint16_t>(pair[0]), 2);
    Little(f, static_cast<uint16_t>(pair[1]), 2);
  }
  Bytes data;
  uint32_t noise = 12345;
  for (int block = 0; block < 2; ++block) {
    // The block header: a predictor per channel, then delta, sample 1 and sample 2 per channel.
    for (int c = 0; c < channels; ++c) data.push_back(static_cast<uint8_t>((block + c) % 7));
    for (uint32_t value : {16u, 100u, 50u})
      for (int c = 0; c < channels; ++c) Little(data, value + static_cast<uint32_t>(c), 2);
    while (data.size() % format.blockAlign) {
      noise = noise * 1103515245u + 12345u;
      data.push_back(static_cast<uint8_t>(noise >> 24));
    }
  }
  return WaveFile(f, data);
}

TSeeds WaveSeeds() {
  std::vector<int16_t> mono(200);
  for (size_t i = 0; i < mono.size(); ++i) mono[i] = static_cast<int16_t>((i % 50) * 1000 - 25000);
  Bytes eightBit;
  for (int i = 0; i < 160; ++i) eightBit.push_back(static_cast<uint8_t>(128 + (i % 20) * 6 - 60));
  return {{"pcm16-mono.wav", EncodeWaveFile(mono.data(), mono.size(), 1, 22050)},
          {"pcm8-stereo.wav", WaveFile(PcmFormat(2, 8, 11025), eightBit)},
          {"adpcm-stereo.wav", AdpcmWave(2)},
          {"adpcm-mono.wav", AdpcmWave(1)}};
}

// ------------------------------------------------------------------ text form

// The texts of the smallest files of the loaders above.
TSeeds TextFormSeeds() {
  auto text = [](const Bytes& file) {
    const std::string printed = FileToText(file, "windows-1252");
    return Bytes(printed.begin(), printed.end());
  };
  return {{"map.json", text(MapSeeds()["tiny.lmu"])},
          {"maptree.json", text(MapTreeSeeds()["small.lmt"])},
          {"database.json", text(DatabaseSeeds()["reset.ldb"])}};
}

const std::vector<TTarget>& Targets() {
  static const std::vector<TTarget> targets = {
      {"database", DatabaseSeeds, [](const Bytes& b) { TLcfDataBase().LoadFromMemory(b, true); }},
      {"map", MapSeeds, [](const Bytes& b) { TLcfMap().LoadFromBytes(b); }},
      {"maptree", MapTreeSeeds, [](const Bytes& b) { TLcfMapTree().LoadFromBytes(b); }},
      {"bmp", BmpSeeds,
       [](const Bytes& b) {
         TBitmap picture;
         DecodeBmp(picture, b.data(), b.size());
       }},
      {"png", PngSeeds,
       [](const Bytes& b) {
         TBitmap picture;
         DecodePng(picture, b.data(), b.size());
       }},
      {"xyz", XyzSeeds,
       [](const Bytes& b) {
         TBitmap picture;
         DecodeXyz(picture, b.data(), b.size());
       }},
      {"lha", LhaSeeds,
       [](const Bytes& b) {
         if (b.size() > 21 && b[2] == '-') {
           for (const TLhaEntry& e : ReadLhaDirectory(b)) ExtractLhaEntry(b, e);
         } else if (b.size() >= 3) {
           Lh5Decompress(b.data() + 3, b.size() - 3, b[0] | (b[1] << 8) | (size_t{b[2]} << 16), size_t{1} << 22);
         }
       }},
      {"catalog", CatalogSeeds,
       [](const Bytes& b) {
         // A record, or else a list.
         try {
           TByteReader r(b.data(), b.size());
           sample::TWideRecord().LoadFrom(r);
         } catch (const ETessError&) {
           TByteReader r(b.data(), b.size());
           sample::TWideList().LoadFrom(r);
         }
       }},
      {"moveroute", MoveRouteSeeds,
       [](const Bytes& b) {
         std::vector<TLcfMoveRouteItem> route;
         TLcfMoveRoute::DecodeCommands(b.data(), b.size(), route);
       }},
      {"script", ScriptEditingSeeds,
       [](const Bytes& b) {
         const size_t length = b.size() < 2 ? 0 : b[0] | (b[1] << 8);
         if (b.size() < 2 + length) throw EReadError();
         TLcfEventScriptList().DecodeFrom(b.data() + 2, length);
       }},
      {"midi", MidiSeeds,
       [](const Bytes& b) {
         TMidiSong song;
         ReadMidiSong(b.data(), b.size(), song);
         if (song.damaged) throw EInvalidMidiFile();
       }},
      {"wave", WaveSeeds, [](const Bytes& b) { DecodeWave(b.data(), b.size()); }},
      {"textform", TextFormSeeds, [](const Bytes& b) { TextToFile(std::string(b.begin(), b.end()), "seed.json"); }},
  };
  return targets;
}

int Write(const std::string& folder) {
  int files = 0;
  for (const TTarget& target : Targets()) {
    const fs::path dir = fs::path(folder) / target.name;
    fs::create_directories(dir);
    for (const auto& [name, bytes] : target.make()) {
      WriteFileAtomic((dir / name).string(), bytes);
      ++files;
    }
  }
  std::printf("%d seeds in %s\n", files, folder.c_str());
  return 0;
}

int Check(const std::string& folder) {
  int failures = 0, seeds = 0;
  for (const TTarget& target : Targets()) {
    const fs::path dir = fs::path(folder) / target.name;
    if (!fs::is_directory(dir)) {
      std::printf("%s: no seeds\n", target.name);
      ++failures;
      continue;
    }
    for (const auto& entry : fs::directory_iterator(dir)) {
      const std::string path = entry.path().string();
      ++seeds;
      if (entry.file_size() > kMaxSeedSize) {
        std::printf("%s: %ju bytes, more than a seed should be\n", path.c_str(), entry.file_size());
        ++failures;
        continue;
      }
      try {
        target.load(ReadWholeFile(path));
      } catch (const std::exception& e) {
        std::printf("%s: %s\n", path.c_str(), e.what());
        ++failures;
      }
    }
  }
  std::printf("%d seeds, %d failing\n", seeds, failures);
  return failures ? 1 : 0;
}

}  // namespace

}  // namespace tess::fuzz

int main(int argc, char** argv) {
  const std::string command = argc == 3 ? argv[1] : "";
  try {
    if (command == "write") return tess::fuzz::Write(argv[2]);
    if (command == "check") return tess::fuzz::Check(argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tessaly-fuzzseeds: %s\n", e.what());
    return 1;
  }
  std::fprintf(stderr, "usage: tessaly-fuzzseeds write|check FOLDER\n");
  return 2;
}
