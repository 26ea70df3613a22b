#include "script/MessageLines.h"

#include <algorithm>

#include "script/EventCommands.h"

namespace tess {

std::vector<std::string> MessageTextLines(const TLcfEventScriptList& lines) {
  std::vector<std::string> text;
  const TLcfEventScriptLine* first = lines.LineAt(0);
  if (!first) return text;
  text.push_back(first->text);
  const TEventCommandInfo* info = FindEventCommand(first->code);
  const int32_t continuation = info ? info->continuation : 0;
  for (int i = 1; i < lines.Count(); ++i) {
    const TLcfEventScriptLine* line = lines.LineAt(i);
    if (continuation == 0 || line->code != continuation || line->indent != first->indent) break;
    text.push_back(line->text);
  }
  return text;
}

TLcfEventScriptList MessageCommandLines(int32_t code, const std::vector<std::string>& textLines) {
  TLcfEventScriptList out;
  const TEventCommandInfo* info = FindEventCommand(code);
  out.AppendLine(TLcfEventScriptLine(code, 0, textLines.empty() ? std::string() : textLines.front()));
  for (size_t i = 1; i < textLines.size(); ++i)
    out.AppendLine(TLcfEventScriptLine(info ? info->continuation : 0, 0, textLines[i]));
  return out;
}

std::vector<std::string> SplitTextLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

TPasteResult PasteIntoBox(const std::string& text, size_t from, size_t to, std::string pasted, int maxLines) {
  from = std::min(from, text.size());
  to = std::clamp(to, from, text.size());
  // Line breaks of any kind become the box's own.
  std::string clean;
  for (size_t i = 0; i < pasted.size(); ++i) {
    if (pasted[i] == '\r') {
      if (i + 1 < pasted.size() && pasted[i + 1] == '\n') ++i;
      clean += '\n';
    } else {
      clean += pasted[i];
    }
  }
  TPasteResult result;
  auto compose = [&](const std::string& piece) {
    result.text = text.substr(0, from) + piece + text.substr(to);
    result.cursor = from + piece.size();
    result.lines = static_cast<int>(SplitTextLines(result.text).size());
  };
  compose(clean);
  // A paste that fills the box exactly and ends with a line break would leave the cursor on a line
  // the box does not have: that last break is dropped.
  if (result.lines > maxLines && !clean.empty() && clean.back() == '\n') {
    TPasteResult withBreak = result;
    compose(clean.substr(0, clean.size() - 1));
    if (result.lines > maxLines) result = withBreak;
  }
  result.accepted = result.lines <= maxLines;
  return result;
}

std::string PasteRefusedText(int lines, int maxLines) {
  return "The pasted text would make " + std::to_string(lines) + " lines; this box holds " + std::to_string(maxLines) +
         ".";
}

}  // namespace tess
