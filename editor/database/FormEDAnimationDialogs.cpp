#include "editor/database/FormEDAnimationDialogs.h"

#include <QDialog>
#include <QFormLayout>
#include <QVBoxLayout>

#include "editor/database/MarkList.h"
#include "editor/database/MaterialField.h"
#include "ui/ColorBar.h"
#include "ui/DialogButtons.h"
#include "ui/FieldBinder.h"

namespace tess {

namespace {

using K = TFieldKind;

// A window of rows laid out one under another, each reaching its value through its accessor.
class TRowsDialog : public QDialog {
 public:
  TRowsDialog(QWidget* owner, const char* title, std::span<const TFieldRow> rows,
              std::function<TFieldAccess(const TFieldRow&)> accessOf)
      : QDialog(owner), binder_(rows, TFieldContext{}, this) {
    setWindowTitle(title);
    layout_ = new QVBoxLayout(this);
    form_ = new QFormLayout;
    layout_->addLayout(form_);
    for (const TFieldRow& row : rows) {
      QWidget* control = row.kind == K::Sound ? MaterialField(binder_, row, accessOf(row), this, pick, [] {})
                                              : binder_.Build(row, accessOf(row), this);
      if (TFieldBinder::Labelled(row))
        form_->addRow(row.caption, control);
      else
        form_->addRow(control);
    }
  }
  // A colour strip under the rows, drawn by show from the values as they are and after every
  // change the author makes.
  void AddColorBar(std::function<void(TColorBar&)> show) {
    auto* bar = new TColorBar(this);
    layout_->addWidget(bar, 0, Qt::AlignHCenter);
    show(*bar);
    connect(&binder_, &TFieldBinder::changed, bar, [bar, show] { show(*bar); });
  }
  void Finish() {
    layout_->addWidget(MakeDialogButtons(this, {}));
    binder_.Load();
  }
  bool Run() {
    Finish();
    return exec() == QDialog::Accepted;
  }
  std::function<bool(QWidget*)> pick;
  QVBoxLayout* layout_;
  QFormLayout* form_;
  TFieldBinder binder_;
};

// A value shown from 1 while stored from 0.
template <class V>
TFieldAccess FromOne(V& value) {
  TFieldAccess a;
  a.value = [&value] { return static_cast<int32_t>(value) + 1; };
  a.setValue = [&value](int32_t v) { value = static_cast<V>(v - 1); };
  return a;
}

}  // namespace

TMassMemory& MassMemory() {
  static TMassMemory memory;
  return memory;
}

bool RunFrameCount(QWidget* owner, TLcfAnimationItem& animation) {
  static constexpr TFieldRow kRows[] = {
      {.key = "Frames", .kind = K::Number, .caption = "Number of Frames", .min = 1, .max = 9999}};
  int32_t count = animation.FrameCount();
  TRowsDialog dialog(owner, "Number of Frames", kRows, [&](const TFieldRow&) { return ValueAccess(count); });
  if (!dialog.Run() || count == animation.FrameCount()) return false;
  animation.SetFrameCount(count);
  return true;
}

bool RunTiming(QWidget* owner, TLcfAnimationItem& animation, int at) {
  static constexpr TFieldChoice kScopes[] = {{0, "None"}, {1, "Target"}, {2, "Screen"}};
  static constexpr int32_t kNone[] = {0};
  TLcfAnimationTimingItem copy;
  if (at >= 0 && animation.timings.ItemAt(at))
    copy.Assign(*animation.timings.ItemAt(at));
  else if (!animation.timings.CanAdd())
    return false;
  else
    copy.frame = 1;
  const TFieldRow rows[] = {
      {.key = "Frame", .kind = K::Number, .caption = "Frame", .min = 1, .max = std::max(1, animation.FrameCount())},
      {.key = "Sound", .kind = K::Sound, .caption = "Sound Effect", .folder = "Sound"},
      {.key = "FlashScope", .kind = K::Choice, .caption = "Flash Scope", .choices = kScopes},
      {.key = "Red",
       .kind = K::Number,
       .caption = "Red",
       .min = 0,
       .max = 31,
       .whenKey = "FlashScope",
       .whenValues = kNone,
       .whenNot = true},
      {.key = "Green",
       .kind = K::Number,
       .caption = "Green",
       .min = 0,
       .max = 31,
       .whenKey = "FlashScope",
       .whenValues = kNone,
       .whenNot = true},
      {.key = "Blue",
       .kind = K::Number,
       .caption = "Blue",
       .min = 0,
       .max = 31,
       .whenKey = "FlashScope",
       .whenValues = kNone,
       .whenNot = true},
      {.key = "Strength",
       .kind = K::Number,
       .caption = "Mag",
       .min = 0,
       .max = 31,
       .whenKey = "FlashScope",
       .whenValues = kNone,
       .whenNot = true},
      {.key = "ShakeScope", .kind = K::Choice, .caption = "Shake Scope", .choices = kScopes},
  };
  TRowsDialog dialog(owner, "Animation Effect Timing", rows, [&](const TFieldRow& row) {
    const std::string_view key = row.key;
    if (key == "Frame") return ValueAccess(copy.frame);
    if (key == "FlashScope") return ValueAccess(copy.flashScope);
    if (key == "Red") return ValueAccess(copy.flashRed);
    if (key == "Green") return ValueAccess(copy.flashGreen);
    if (key == "Blue") return ValueAccess(copy.flashBlue);
    if (key == "Strength") return ValueAccess(copy.flashStrength);
    if (key == "ShakeScope") return ValueAccess(copy.shakeScope);
    TFieldAccess a;
    a.text = [&copy] { return copy.sound.name; };
    return a;
  });
  dialog.pick = [&copy](QWidget* o) { return PickSound(o, copy.sound); };
  // The flash over sample colours; none without a flash.
  dialog.AddColorBar([&copy](TColorBar& bar) {
    bar.SetFlash(copy.flashRed, copy.flashGreen, copy.flashBlue, copy.flashScope ? copy.flashStrength : 0);
  });
  if (!dialog.Run()) return false;
  TLcfAnimationTimingItem* target = at >= 0 ? animation.timings.ItemAt(at) : animation.timings.Append();
  if (at >= 0 && target->SameAs(copy)) return false;
  const int32_t id = target->Id();
  target->Assign(copy);
  target->SetId(id);
  animation.timings.SortTimings();
  animation.MarkDirty();
  return true;
}

bool RunCelProperties(QWidget* owner, TLcfAnimationItem& animation, int frame, int cel) {
  TLcfAnimationPatternItem* pattern = animation.frames.ItemAt(frame);
  TLcfAnimationCellItem* cell = pattern ? pattern->cells.ItemAt(cel) : nullptr;
  if (!cell || !cell->inUse) return false;
  static constexpr TFieldRow kRows[] = {
      {.key = "Section", .kind = K::Number, .caption = "Image Section", .min = 1, .max = 25},
      {.key = "Zoom", .kind = K::Number, .caption = "Magnification", .min = 20, .max = 800},
      {.key = "Transparency", .kind = K::Number, .caption = "Transparency", .min = 0, .max = 100},
      {.key = "Red", .kind = K::Number, .caption = "Red", .min = 0, .max = 200},
      {.key = "Green", .kind = K::Number, .caption = "Green", .min = 0, .max = 200},
      {.key = "Blue", .kind = K::Number, .caption = "Blue", .min = 0, .max = 200},
      {.key = "Saturation", .kind = K::Number, .caption = "Sat", .min = 0, .max = 200},
  };
  TLcfAnimationCellItem copy;
  copy.Assign(*cell);
  TRowsDialog dialog(owner, "Cel Properties", kRows, [&](const TFieldRow& row) {
    const std::string_view key = row.key;
    if (key == "Section") return FromOne(copy.section);
    if (key == "Zoom") return ValueAccess(copy.zoom);
    if (key == "Transparency") return ValueAccess(copy.transparency);
    if (key == "Red") return ValueAccess(copy.red);
    if (key == "Green") return ValueAccess(copy.green);
    if (key == "Blue") return ValueAccess(copy.blue);
    return ValueAccess(copy.saturation);
  });
  dialog.AddColorBar([&copy](TColorBar& bar) { bar.SetColor(copy.red, copy.green, copy.blue, copy.saturation); });
  if (!dialog.Run() || cell->SameAs(copy)) return false;
  cell->Assign(copy);
  animation.MarkDirty();
  return true;
}

bool RunMassCopy(QWidget* owner, TLcfAnimationItem& animation) {
  static constexpr TFieldChoice kActions[] = {{1, "Copy"}, {0, "Clear"}};
  static constexpr int32_t kCopy[] = {1};
  TMassMemory& m = MassMemory();
  const int count = animation.FrameCount();
  const TFrameRange range = m.copyRange.For(count);
  int32_t action = m.copy ? 1 : 0, first = range.first, last = range.last;
  int32_t destination = std::clamp(m.destination, 1, count);
  const TFieldRow rows[] = {
      {.key = "Action", .kind = K::Choice, .caption = "Action", .choices = kActions},
      {.key = "First", .kind = K::Number, .caption = "Start Frame", .min = 1, .max = count},
      {.key = "Last", .kind = K::Number, .caption = "End Frame", .min = 1, .max = count},
      {.key = "Destination",
       .kind = K::Number,
       .caption = "Starting Frame",
       .min = 1,
       .max = count,
       .whenKey = "Action",
       .whenValues = kCopy},
  };
  TRowsDialog dialog(owner, "Mass Copy/Clear", rows, [&](const TFieldRow& row) {
    const std::string_view key = row.key;
    if (key == "Action") return ValueAccess(action);
    if (key == "First") return ValueAccess(first);
    if (key == "Last") return ValueAccess(last);
    return ValueAccess(destination);
  });
  if (!dialog.Run()) return false;
  m.copy = action == 1;
  m.copyRange = TFrameRange::Confirmed(first, last, count);
  m.destination = destination;
  if (m.copy)
    CopyFrames(animation, first, last, destination);
  else
    ClearFrames(animation, first, last);
  return true;
}

bool RunAutocomplete(QWidget* owner, TLcfAnimationItem& animation) {
  TMassMemory& m = MassMemory();
  const int count = animation.FrameCount();
  const TFrameRange range = m.autoRange.For(count);
  int32_t first = range.first, last = range.last, c1 = m.celFirst, c2 = m.celLast;
  TAutocompleteCarry carry = m.carry;
  const TFieldRow rows[] = {
      {.key = "First", .kind = K::Number, .caption = "Start Frame", .min = 1, .max = count},
      {.key = "Last", .kind = K::Number, .caption = "End Frame", .min = 1, .max = count},
      {.key = "CelFirst", .kind = K::Number, .caption = "First Cel", .min = 1, .max = kMaxCellsPerFrame},
      {.key = "CelLast", .kind = K::Number, .caption = "Last Cel", .min = 1, .max = kMaxCellsPerFrame},
      {.key = "Section", .kind = K::Flag, .caption = "Image Section"},
      {.key = "Zoom", .kind = K::Flag, .caption = "Magnification"},
      {.key = "Transparency", .kind = K::Flag, .caption = "Transparency"},
  };
  TRowsDialog dialog(owner, "Autocomplete", rows, [&](const TFieldRow& row) {
    const std::string_view key = row.key;
    if (key == "First") return ValueAccess(first);
    if (key == "Last") return ValueAccess(last);
    if (key == "CelFirst") return ValueAccess(c1);
    if (key == "CelLast") return ValueAccess(c2);
    if (key == "Section") return ValueAccess(carry.section);
    if (key == "Zoom") return ValueAccess(carry.magnification);
    return ValueAccess(carry.transparency);
  });
  if (!dialog.Run()) return false;
  m.autoRange = TFrameRange::Confirmed(first, last, count);
  m.celFirst = c1;
  m.celLast = c2;
  m.carry = carry;
  Autocomplete(animation, first, last, c1, c2, carry);
  return true;
}

bool RunMassModify(QWidget* owner, TLcfAnimationItem& animation) {
  TMassMemory& m = MassMemory();
  TMassModify s = m.modify;
  const int count = animation.FrameCount();
  s.frames.resize(static_cast<size_t>(count), false);
  static constexpr int32_t kOn[] = {1};
  static constexpr TFieldRow kRows[] = {
      {.key = "Cel1", .kind = K::Flag, .caption = "Cel 1"},
      {.key = "Cel2", .kind = K::Flag, .caption = "Cel 2"},
      {.key = "Cel3", .kind = K::Flag, .caption = "Cel 3"},
      {.key = "Cel4", .kind = K::Flag, .caption = "Cel 4"},
      {.key = "Cel5", .kind = K::Flag, .caption = "Cel 5"},
      {.key = "Cel6", .kind = K::Flag, .caption = "Cel 6"},
      {.key = "Cel7", .kind = K::Flag, .caption = "Cel 7"},
      {.key = "Cel8", .kind = K::Flag, .caption = "Cel 8"},
      {.key = "SetSection", .kind = K::Flag, .caption = "Image Section"},
      {.key = "Section",
       .kind = K::Number,
       .caption = "Section",
       .min = 1,
       .max = 25,
       .whenKey = "SetSection",
       .whenValues = kOn},
      {.key = "SetZoom", .kind = K::Flag, .caption = "Magnification"},
      {.key = "Zoom",
       .kind = K::Number,
       .caption = "%",
       .min = 20,
       .max = 800,
       .whenKey = "SetZoom",
       .whenValues = kOn},
      {.key = "SetTransparency", .kind = K::Flag, .caption = "Transparency"},
      {.key = "Transparency",
       .kind = K::Number,
       .caption = "%",
       .min = 0,
       .max = 100,
       .whenKey = "SetTransparency",
       .whenValues = kOn},
      {.key = "SetColor", .kind = K::Flag, .caption = "Color Cast"},
      {.key = "Red",
       .kind = K::Number,
       .caption = "Red",
       .min = 0,
       .max = 200,
       .whenKey = "SetColor",
       .whenValues = kOn},
      {.key = "Green",
       .kind = K::Number,
       .caption = "Green",
       .min = 0,
       .max = 200,
       .whenKey = "SetColor",
       .whenValues = kOn},
      {.key = "Blue",
       .kind = K::Number,
       .caption = "Blue",
       .min = 0,
       .max = 200,
       .whenKey = "SetColor",
       .whenValues = kOn},
      {.key = "Saturation",
       .kind = K::Number,
       .caption = "Sat",
       .min = 0,
       .max = 200,
       .whenKey = "SetColor",
       .whenValues = kOn},
  };
  TRowsDialog dialog(owner, "Mass Modify", kRows, [&](const TFieldRow& row) {
    const std::string_view key = row.key;
    if (key.starts_with("Cel")) {
      bool& on = s.cels[static_cast<size_t>(key[3] - '1')];
      return ValueAccess(on);
    }
    if (key == "SetSection") return ValueAccess(s.setSection);
    if (key == "Section") return FromOne(s.section);
    if (key == "SetZoom") return ValueAccess(s.setZoom);
    if (key == "Zoom") return ValueAccess(s.zoom);
    if (key == "SetTransparency") return ValueAccess(s.setTransparency);
    if (key == "Transparency") return ValueAccess(s.transparency);
    if (key == "SetColor") return ValueAccess(s.setColor);
    if (key == "Red") return ValueAccess(s.red);
    if (key == "Green") return ValueAccess(s.green);
    if (key == "Blue") return ValueAccess(s.blue);
    return ValueAccess(s.saturation);
  });
  auto* frames = new TMarkList(&dialog);
  frames->setObjectName("Frames");
  QStringList lines;
  for (int f = 1; f <= count; ++f) lines << QString::number(f);
  frames->SetLines(lines);
  frames->get = [&s](int i) { return static_cast<bool>(s.frames[static_cast<size_t>(i)]); };
  frames->set = [&s](int i, bool on) { s.frames[static_cast<size_t>(i)] = on; };
  frames->Load();
  dialog.layout_->insertWidget(0, frames);
  dialog.AddColorBar([&s](TColorBar& bar) {
    if (s.setColor)
      bar.SetColor(s.red, s.green, s.blue, s.saturation);
    else
      bar.SetColor(100, 100, 100, 100);
  });
  if (!dialog.Run()) return false;
  m.modify = s;
  return MassModify(animation, s);
}

}  // namespace tess
