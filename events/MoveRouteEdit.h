#pragma once
// The move route editor without its window: the rows it lists, the 42 command buttons in their
// order, inserting before the selected row, deleting, clearing, and the move-command clipboard.

#include <string>
#include <vector>

#include "events/LD_MoveRoute.h"

namespace tess {

inline constexpr int kMoveRouteClipboardFormat = 567;
// At this many commands the command buttons are disabled (Paste is not).
inline constexpr int kMaxRouteCommands = 200;

struct TMoveButton {
  const char* caption;
  int32_t code;
};
// The command buttons in the order the editor shows them.
extern const TMoveButton kMoveButtons[kMoveCommandCount];

// The text of a command row ("<>Move Up", "<>Swtich [0007] OFF", ...); the last row reads "<>".
std::string MoveRouteRowText(const TLcfMoveRouteItem& command);

// The ids of the Move Event targets: Hero, Skiff, Ship, Airship, This Event.
inline constexpr int32_t kTargetHero = 10001;
inline constexpr int32_t kTargetThisEvent = 10005;

class TMoveRouteEdit {
 public:
  explicit TMoveRouteEdit(TLcfMoveRoute& route) : route_(route) { selected_ = route.CommandCount(); }

  TLcfMoveRoute& Route() { return route_; }
  // The rows: one per command and the last "<>".
  int RowCount() const { return route_.CommandCount() + 1; }
  std::string RowText(int row) const;
  int Selected() const { return selected_; }
  void Select(int row);
  bool CommandSelected() const { return selected_ < route_.CommandCount(); }

  bool CanAdd() const { return route_.CommandCount() < kMaxRouteCommands; }
  // Inserts before the selected row; the selection stays on the row it was on (now one further).
  bool Insert(const TLcfMoveRouteItem& command);
  // Removes the selected command; the same row position stays selected.
  bool Delete();
  bool Clear();
  bool Copy() const;
  static bool CanPaste();
  // Inserts the clipboard's command before the selected row; a damaged block inserts nothing.
  bool Paste();
  bool Cut() { return Copy() && Delete(); }

 private:
  TLcfMoveRoute& route_;
  int selected_ = 0;
};

}  // namespace tess
