#include "editor/events/FormEvCmd10810.h"

namespace tess {

TFormEvCmd10810::TFormEvCmd10810(const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(10810, lines, context) {}

TLocation TFormEvCmd10810::Start() const {
  const TEventScriptConverter& c = context_.converter;
  const TLcfEventScriptLine* line = given_.LineAt(0);
  TLocation start = TeleportStart(c.MapTree, c.Map, c.Event, line);
  // A new teleport keeps the facing confirmed last time.
  if (!line) start.facing = form_.Value("facing");
  return start;
}

void TFormEvCmd10810::Take(const TLocation& location) {
  // Only what the picker changed is written: an older line of three parameters stays as it was.
  const TLocation start = Start();
  if (given_.Count() == 0 || location.mapId != start.mapId) form_.Set("map", location.mapId);
  if (given_.Count() == 0 || location.x != start.x) form_.Set("x", location.x);
  if (given_.Count() == 0 || location.y != start.y) form_.Set("y", location.y);
  if (given_.Count() == 0 || location.facing != start.facing) form_.Set("facing", location.facing);
}

bool TFormEvCmd10810::Execute() {
  const TEventScriptConverter& c = context_.converter;
  TLocation location = Start();
  TLocationSources sources;
  sources.database = &c.Database();
  sources.mapTree = c.MapTree;
  sources.currentMap = c.Map;
  if (!SelectLocation(parentWidget(), sources, location, true)) return false;
  Take(location);
  Accept();
  return true;
}

}  // namespace tess
