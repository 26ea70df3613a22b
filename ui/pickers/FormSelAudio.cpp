#include "ui/pickers/FormSelAudio.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "audio/AudioHarmony.h"
#include "core/MaterialFiles.h"
#include "core/MessagePort.h"
#include "media/LD_Sound.h"
#include "platform/TextCodec.h"
#include "platform/WaitCursor.h"
#include "ui/DialogButtons.h"

namespace tess {

namespace {

constexpr const char* kUnavailable = "Sound is not available: no audio output device was found.";
constexpr const char* kNotFoundMark = " <not found>";
// The selected entry is shown as the seventh row of the list.
constexpr int kRowsAboveSelection = 6;
constexpr int kNoticeIntervalMs = 100;

QListWidgetItem* AddEntry(QListWidget* list, const std::string& shown, const std::string& stored) {
  auto* item = new QListWidgetItem(TextCodec::Current().ToUnicode(shown));
  item->setData(Qt::UserRole, QByteArray::fromStdString(stored));
  list->addItem(item);
  return item;
}

}  // namespace

bool& TFormSelAudio::SoundUnavailableSaid() {
  static bool said = false;
  return said;
}

TFormSelAudio::TFormSelAudio(QWidget* owner, const char* caption, std::string folder,
                             std::vector<std::string> extensions, bool withFadeIn)
    : QDialog(owner), folder_(std::move(folder)), extensions_(std::move(extensions)) {
  setWindowTitle(QString::fromLatin1(caption));
  list_ = new QListWidget(this);
  list_->setObjectName("FileList");
  list_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  list_->setMinimumSize(220, 300);
  list_->installEventFilter(this);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { EntrySelected(row); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Play(); });

  playButton_ = new QPushButton("&Play", this);
  playButton_->setObjectName("PlayButton");
  playButton_->setAutoDefault(false);
  playButton_->setToolTip("Play the selected file (Enter or a double-click in the list)");
  connect(playButton_, &QPushButton::clicked, this, [this] { Play(); });
  stopButton_ = new QPushButton("&Stop", this);
  stopButton_->setObjectName("StopButton");
  stopButton_->setAutoDefault(false);
  connect(stopButton_, &QPushButton::clicked, this,
          [this] { Stop(QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier)); });

  auto* sliders = new QGridLayout;
  sliders->setVerticalSpacing(2);
  int row = 0;
  if (withFadeIn) {
    stopButton_->setToolTip("Stop the music; with Shift held, fade it out over five seconds");
    fadeInSlider_ = AddSlider(sliders, row, "Fade-in Time", 0, 10, {"None", "5 Sec", "10 Sec"}, TSlider::FadeIn);
    row += 3;
  } else {
    stopButton_->setToolTip("Stop every sound effect");
  }
  volumeSlider_ = AddSlider(sliders, row, "Volume", 0, 10, {"0%", "50%", "100%"}, TSlider::Volume);
  row += 3;
  tempoSlider_ = AddSlider(sliders, row, "Tempo", 0, 10, {"50%", "100%", "150%"}, TSlider::Tempo);
  row += 3;
  balanceSlider_ = AddSlider(sliders, row, "Balance", 0, 10, {"Left", "Center", "Right"}, TSlider::Balance);

  auto* transport = new QHBoxLayout;
  transport->addWidget(playButton_);
  transport->addWidget(stopButton_);
  auto* right = new QVBoxLayout;
  right->addLayout(transport);
  right->addSpacing(8);
  right->addLayout(sliders);
  right->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(list_, 1);
  top->addLayout(right);

  status_ = new QLabel(this);
  status_->setObjectName("StatusLine");
  status_->setWordWrap(true);
  auto* buttons = MakeDialogButtons(this);
  okButton_ = buttons->button(QDialogButtonBox::Ok);
  cancelButton_ = buttons->button(QDialogButtonBox::Cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(status_);
  layout->addWidget(buttons);

  noticeTimer_ = new QTimer(this);
  noticeTimer_->setInterval(kNoticeIntervalMs);
  connect(noticeTimer_, &QTimer::timeout, this, [this] { ReadNotices(); });
}

QSlider* TFormSelAudio::AddSlider(QGridLayout* grid, int row, const char* caption, int low, int high,
                                  const char* const (&labels)[3], TSlider which) {
  auto* title = new QLabel(QString::fromLatin1(caption), this);
  if (row > 0) title->setContentsMargins(0, 8, 0, 0);
  grid->addWidget(title, row, 0, 1, 3);
  auto* slider = new QSlider(Qt::Horizontal, this);
  slider->setObjectName(QString::fromLatin1(caption).remove(' ').remove('-') + "Slider");
  slider->setRange(low, high);
  slider->setPageStep(1);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setTickInterval(1);
  slider->setMinimumWidth(200);
  title->setBuddy(slider);
  grid->addWidget(slider, row + 1, 0, 1, 3);
  const Qt::Alignment aligns[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(QString::fromLatin1(labels[i]), this);
    label->setAlignment(aligns[i]);
    grid->addWidget(label, row + 2, i);
  }
  connect(slider, &QSlider::valueChanged, this, [this, which](int position) {
    if (!preparing_) SliderMoved(which, position);
  });
  return slider;
}

void TFormSelAudio::Prepare(int fadeIn, int volume, int tempo, int balance) {
  preparing_ = true;
  if (fadeInSlider_) fadeInSlider_->setValue(fadeIn);
  volumeSlider_->setValue(volume);
  tempoSlider_->setValue(tempo);
  balanceSlider_->setValue(balance);
  FillList();
  preparing_ = false;
  SetStatus(AudioAvailable() ? QString() : QString::fromLatin1(kUnavailable));
}

void TFormSelAudio::FillList() {
  // The name as it stands; selecting the entry below gives it back unchanged.
  const std::string name = Name();
  list_->clear();
  AddEntry(list_, kNoSoundName, kNoSoundName);
  // The entry of the name itself, else the runtime package's entry of that name.
  int exact = -1;
  int marked = -1;
  for (const std::string& entry : ListMaterials(folder_, extensions_)) {
    AddEntry(list_, entry, StripRuntimePackageMark(entry));
    if (entry == name) exact = list_->count() - 1;
    if (entry == name + kRuntimePackageMark) marked = list_->count() - 1;
  }
  int selected = exact >= 0 ? exact : marked;
  if (selected < 0 && name != kNoSoundName && !name.empty()) {
    // A name found in neither folder stays the reference's until the author picks another.
    auto* item = new QListWidgetItem(TextCodec::Current().ToUnicode(name + kNotFoundMark));
    item->setData(Qt::UserRole, QByteArray::fromStdString(name));
    QFont font = item->font();
    font.setItalic(true);
    item->setFont(font);
    item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    item->setToolTip(QString("%1 is in neither the project's nor the runtime package's %2 folder.")
                         .arg(TextCodec::Current().ToUnicode(name), QString::fromStdString(folder_)));
    list_->insertItem(1, item);
    selected = 1;
  }
  list_->setCurrentRow(std::max(selected, 0));
  const int top = std::max(0, list_->currentRow() - kRowsAboveSelection);
  list_->verticalScrollBar()->setValue(top);
  // The scroll range is known once the list has its size.
  QTimer::singleShot(0, list_, [list = list_, top] { list->verticalScrollBar()->setValue(top); });
}

void TFormSelAudio::EntrySelected(int row) {
  QListWidgetItem* item = row >= 0 ? list_->item(row) : nullptr;
  Name() = item ? item->data(Qt::UserRole).toByteArray().toStdString() : std::string(kNoSoundName);
}

QString TFormSelAudio::ShownName() { return TextCodec::Current().ToUnicode(Name()); }

void TFormSelAudio::SetStatus(const QString& text) { status_->setText(text); }

void TFormSelAudio::Play() {
  if (Name() == kNoSoundName) {
    Stop(false);
    return;
  }
  if (!AudioAvailable()) {
    SetStatus(QString::fromLatin1(kUnavailable));
    if (!SoundUnavailableSaid()) {
      SoundUnavailableSaid() = true;
      ShowInformation(std::string(kUnavailable) + " The lists still show every file, and every choice is kept.", this);
    }
    return;
  }
  bool started;
  {
    TWaitCursor wait;
    started = StartPlayback();
  }
  playing_ = ShownName();
  if (started)
    SetStatus("Playing " + playing_);
  else
    SetStatus(ShownName() + " could not be played: " + QString::fromStdString(AudioLastError()));
}

void TFormSelAudio::Stop(bool fadeOnly) {
  StopPlayback(fadeOnly);
  if (AudioAvailable()) SetStatus(fadeOnly && fadeInSlider_ ? "Fading out over five seconds" : "Stopped");
}

void TFormSelAudio::ReadNotices() {
  TAudioHarmony* front = AudioFrontEnd();
  if (!front) return;
  for (const TAudioNotice& n : front->TakeNotices()) {
    if (n.kind == TAudioNoticeKind::TempoChange && n.value > 0)
      SetStatus(QString("Playing %1, written at %2 beats a minute")
                    .arg(playing_)
                    .arg(60000000.0 / double(n.value), 0, 'f', 0));
    else if (n.kind == TAudioNoticeKind::SongEnd)
      SetStatus(playing_ + " has come to its end");
  }
}

bool TFormSelAudio::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Play();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFormSelAudio::showEvent(QShowEvent* event) {
  Showing();
  QDialog::showEvent(event);
  noticeTimer_->start();
}

void TFormSelAudio::hideEvent(QHideEvent* event) {
  noticeTimer_->stop();
  QDialog::hideEvent(event);
}

}  // namespace tess
