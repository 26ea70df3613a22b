#include "editor/events/FormEvCmd11520.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "audio/AudioHarmony.h"
#include "ui/EditorAudio.h"

namespace tess {

namespace {

// The time as the author enters it: whole seconds. A stored time that is no whole number of
// seconds shows its whole seconds and is kept until the box is changed.
constexpr TFieldRow kSecondsRow = [] {
  TFieldRow row;
  row.key = "seconds";
  row.caption = "Fade Out Time";
  row.min = 0;
  row.max = 20;
  return row;
}();

}  // namespace

TFormEvCmd11520::TFormEvCmd11520(const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(11520, lines, context) {
  auto* layout = new QVBoxLayout(this);
  auto* line = new QHBoxLayout;
  seconds_ = new QSpinBox(this);
  seconds_->setSuffix(" Sec");
  TFieldAccess access;
  access.value = [this] { return form_.Value("time") / 1000; };
  access.setValue = [this](int32_t seconds) { form_.Set("time", seconds * 1000); };
  binder_->Attach(kSecondsRow, seconds_, access);
  line->addWidget(new QLabel(kSecondsRow.caption, this));
  line->addWidget(seconds_);
  layout->addLayout(line);
  auto* preview = new QHBoxLayout;
  auto* fade = new QPushButton("Fade Out", this);
  fade->setObjectName("ButtonFadeOut");
  auto* replay = new QPushButton("Play Again", this);
  replay->setObjectName("ButtonReplay");
  preview->addWidget(fade);
  preview->addWidget(replay);
  layout->addLayout(preview);
  // Previews only: they play, and change nothing in the command.
  connect(fade, &QPushButton::clicked, this, [this] { AudioFadeOut(seconds_->value() * 1000); });
  connect(replay, &QPushButton::clicked, this, [] { StartMusic(LastMusic()); });
  AddButtons(layout);
  binder_->Load();
}

}  // namespace tess
