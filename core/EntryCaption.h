#pragma once
// How lists show a numbered, named entry: the id with four digits and leading zeros, a colon and
// the name.

#include <cstdint>
#include <string>

namespace tess {

enum class TEmptyName {
  Bare,       // "0012" when the name is empty: pickers, script text, the map tree's lists
  KeepColon,  // "0012:" always: the database window's entry lists, whose names are edited in place
};

// "%.4d:%s" of id and name (stored bytes, not converted); an empty name as the mode says.
std::string EntryCaption(int32_t id, const std::string& name, TEmptyName empty = TEmptyName::Bare);

}  // namespace tess
