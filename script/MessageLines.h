#pragma once
// The lines of a message or a comment and the text box that edits them: the first text line is the
// opening line's string, every further one (empty ones included) a continuation line. The box holds
// a fixed number of lines; a paste is taken only when the result still fits.

#include <cstdint>
#include <string>
#include <vector>

#include "events/LD_EventScript.h"

namespace tess {

// Four lines fit the message box; a stored message with more keeps them all.
inline constexpr int kMessageBoxLines = 4;

// The text lines of a message or comment given as its lines (opening line first, then its
// continuation lines at the same depth).
std::vector<std::string> MessageTextLines(const TLcfEventScriptList& lines);

// The command's lines from its text lines (at least one, an empty one when there are none).
TLcfEventScriptList MessageCommandLines(int32_t code, const std::vector<std::string>& textLines);

// Splits a box's text at its line breaks ("\n", "\r\n" or "\r").
std::vector<std::string> SplitTextLines(const std::string& text);

// A paste into a box that holds at most maxLines lines: the box's text with the selection
// [from, to) replaced by pasted, or refused with the number of lines the result would have.
struct TPasteResult {
  bool accepted = false;
  std::string text;   // the box's whole text after the paste
  size_t cursor = 0;  // where the cursor stands after the pasted text
  int lines = 0;      // the lines the result has (or would have)
};
TPasteResult PasteIntoBox(const std::string& text, size_t from, size_t to, std::string pasted, int maxLines);

// The message a refused paste shows.
std::string PasteRefusedText(int lines, int maxLines);

}  // namespace tess
