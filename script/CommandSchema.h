#pragma once
// What every event command's parameters mean, as data: one row per parameter (or the line's
// string) with its kind, caption, range, choices and when it is enabled. A generic dialog is built
// from these rows; hand-written dialogs use the same rows for their controls. TCommandForm is the
// headless working copy a dialog edits: it reads a line, lets rows change its values, normalises,
// tells what is enabled and writes the line back.

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "core/FieldRow.h"
#include "events/LD_EventScript.h"

namespace tess {

struct TCommandSchema {
  int32_t code = 0;
  std::span<const TFieldRow> rows;
  // Adjusts the values after the author changed the row keyed changedKey (for instance a single
  // switch target keeps its last switch equal to its first). Never called on an untouched form.
  void (*normalise)(class TCommandForm& form, const char* changedKey) = nullptr;
};

// The schema of every catalogue code that has parameters, in ascending code order.
std::span<const TCommandSchema> CommandSchemas();
// The schema of a code, or none when the code has no parameters or is not known.
const TCommandSchema* FindCommandSchema(int32_t code);

// The working copy of one command line. It keeps the line's parameters exactly as given, so that a
// form nobody changed writes back what it read, out-of-range values included; only Set changes a
// value. Parameters the line lacks read as 0 and are written as 0.
class TCommandForm {
 public:
  // A new command: the remembered values of its code if OK was pressed on one before, else the
  // catalogue's defaults.
  explicit TCommandForm(int32_t code);
  // An existing line.
  explicit TCommandForm(const TLcfEventScriptLine& line);

  int32_t Code() const { return line_.code; }
  const TCommandSchema* Schema() const { return schema_; }
  std::span<const TFieldRow> Rows() const;
  const TFieldRow* FindRow(const char* key) const;

  // The value of a row (its parameter, or 0 for a Text row) and the text of a Text row.
  int32_t Value(const TFieldRow& row) const;
  int32_t Value(const char* key) const;
  const std::string& Text() const { return line_.text; }
  // Sets a row's value as the author would and normalises. Values outside the row's range are kept:
  // clamping is the control's business, and a stored value the author did not touch must survive.
  void Set(const TFieldRow& row, int32_t value);
  void Set(const char* key, int32_t value);
  void SetText(std::string text);

  // Whether a row is enabled by the current values.
  bool Enabled(const TFieldRow& row) const;

  // The line to store: the code, the full parameter list of the command (the line's own count when
  // it had more) and the string. The depth is the given line's.
  TLcfEventScriptLine ToLine() const;

  // Raw access for hand-written dialogs and normalisers.
  int32_t Param(int index) const { return line_.Param(index); }
  void SetParam(int index, int32_t value);

  // The process-wide remembered values: Remember stores this form's line as what the next new
  // command of its code opens on.
  void Remember() const;
  static void ForgetAll();

 private:
  TLcfEventScriptLine line_;
  const TCommandSchema* schema_ = nullptr;
};

}  // namespace tess
