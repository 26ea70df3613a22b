#include "database/SwitchPickerModel.h"

#include <algorithm>
#include <cstdio>

#include "core/Catalog.h"

namespace tess {

namespace {

std::string Format(const char* format, int a, int b = 0) {
  char text[32];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

int BlockCount(int count) { return count > 0 ? (count - 1) / TSwitchPickerModel::kBlock + 1 : 0; }

}  // namespace

int32_t& TSwitchPickerModel::LastId(TPickerList list) {
  static int32_t lastSwitch = 1, lastVariable = 1;
  return list == TPickerList::Switches ? lastSwitch : lastVariable;
}

std::vector<std::string> TSwitchPickerModel::GroupLines(int count) {
  std::vector<std::string> lines;
  for (int k = 0; k < BlockCount(count); ++k) {
    const int first = k * kBlock + 1;
    lines.push_back(Format("[ %.4d - %.4d ]", first, std::min(first + kBlock - 1, count)));
  }
  return lines;
}

TSwitchPickerModel::TSwitchPickerModel(TPickerList list, const TCatalog& source, TCatalog* target)
    : list_(list), target_(target) {
  names_.reserve(static_cast<size_t>(source.Count()));
  for (int i = 0; i < source.Count(); ++i) names_.push_back(source.ItemAt(i)->name);
  // The picker opens on the id chosen last, whatever the caller's command holds.
  Select(LastId(list));
}

const std::string& TSwitchPickerModel::Name(int32_t id) const {
  static const std::string none;
  return id >= 1 && id <= Count() ? names_[static_cast<size_t>(id - 1)] : none;
}

std::string TSwitchPickerModel::EntryLine(int32_t id) const { return Format("%.4d:", id) + Name(id); }

std::vector<std::string> TSwitchPickerModel::Entries() const {
  std::vector<std::string> lines;
  for (int i = 0; i < kBlock; ++i) {
    const int32_t id = block_ * kBlock + i + 1;
    if (id > Count()) break;
    lines.push_back(EntryLine(id));
  }
  return lines;
}

void TSwitchPickerModel::Reselect() {
  const int blocks = BlockCount(Count());
  if (blocks == 0) {
    block_ = row_ = 0;
    selectedId_ = 0;
    return;
  }
  block_ = std::clamp(block_, 0, blocks - 1);
  const int rows = std::min(kBlock, Count() - block_ * kBlock);
  row_ = std::clamp(row_, 0, rows - 1);
  selectedId_ = block_ * kBlock + row_ + 1;
}

void TSwitchPickerModel::SelectBlock(int block) {
  block_ = block;
  Reselect();
}

void TSwitchPickerModel::SelectRow(int row) {
  row_ = row;
  Reselect();
}

void TSwitchPickerModel::Select(int32_t id) {
  if (id < 1 || id > Count()) return Reselect();
  block_ = (id - 1) / kBlock;
  row_ = (id - 1) % kBlock;
  Reselect();
}

void TSwitchPickerModel::Previous() {
  if (selectedId_ > 1) Select(selectedId_ - 1);
}

void TSwitchPickerModel::Next() {
  if (selectedId_ < Count()) Select(selectedId_ + 1);
}

void TSwitchPickerModel::SetName(const std::string& name) {
  if (selectedId_ < 1 || selectedId_ > Count()) return;
  names_[static_cast<size_t>(selectedId_ - 1)] = name;
  applyEnabled_ = true;
}

void TSwitchPickerModel::SetArraySize(int count) {
  names_.resize(static_cast<size_t>(std::clamp(count, 1, kMaxCount)));
  Reselect();
  applyEnabled_ = true;
}

void TSwitchPickerModel::Apply() {
  if (!target_) return;
  const int count = Count();
  for (int32_t id = target_->Count() + 1; id <= count; ++id) target_->Obtain(id);
  while (target_->Count() > count) target_->Delete(target_->ItemAt(target_->Count() - 1)->Id());
  for (int i = 0; i < target_->Count() && i < count; ++i) target_->ItemAt(i)->name = names_[static_cast<size_t>(i)];
  databaseChanged_ = true;
  applyEnabled_ = false;
}

int32_t TSwitchPickerModel::Accept() {
  if (applyEnabled_) Apply();
  LastId(list_) = selectedId_;
  return selectedId_;
}

}  // namespace tess
