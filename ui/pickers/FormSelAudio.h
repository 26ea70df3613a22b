#pragma once
// What the music and sound effect pickers share: the list of one material folder with "(OFF)"
// first and the runtime package's entries marked " <RTP>", Play and Stop, the level sliders, and a
// status line that tells what plays (or that the machine has no sound).

#include <QDialog>
#include <string>
#include <vector>

class QGridLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class QTimer;

namespace tess {

class TFormSelAudio : public QDialog {
  Q_OBJECT
 public:
  QListWidget* List() const { return list_; }
  QPushButton* PlayButton() const { return playButton_; }
  QPushButton* StopButton() const { return stopButton_; }
  QPushButton* OkButton() const { return okButton_; }
  QPushButton* CancelButton() const { return cancelButton_; }
  // The fade-in slider is the music picker's alone: null in the sound picker.
  QSlider* FadeInSlider() const { return fadeInSlider_; }
  QSlider* VolumeSlider() const { return volumeSlider_; }
  QSlider* TempoSlider() const { return tempoSlider_; }
  QSlider* BalanceSlider() const { return balanceSlider_; }
  QLabel* StatusLine() const { return status_; }

  // Play: of "(OFF)" it is Stop. Stop: fadeOnly (Shift held) where the picker knows a fade.
  void Play();
  void Stop(bool fadeOnly);

  // Whether the editor has told the author, this run, that sound is not available; it does so
  // once, at the first Play without a sound device.
  static bool& SoundUnavailableSaid();

 protected:
  enum class TSlider { FadeIn, Volume, Tempo, Balance };

  TFormSelAudio(QWidget* owner, const char* caption, std::string folder, std::vector<std::string> extensions,
                bool withFadeIn);

  // The reference's name, which selecting an entry sets.
  virtual std::string& Name() = 0;
  // The name is not "(OFF)" and there is sound: start it; false when it does not start.
  virtual bool StartPlayback() = 0;
  virtual void StopPlayback(bool fadeOnly) = 0;
  // The author moved a slider to position.
  virtual void SliderMoved(TSlider slider, int position) = 0;
  // The window is about to show: the picker calls Prepare with its reference's values.
  virtual void Showing() = 0;

  // Fills the list and selects the reference's entry, and puts the sliders at these positions
  // without counting it as the author's move.
  void Prepare(int fadeIn, int volume, int tempo, int balance);
  void SetStatus(const QString& text);
  QString ShownName();

  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QSlider* AddSlider(QGridLayout* grid, int row, const char* caption, int low, int high, const char* const (&labels)[3],
                     TSlider which);
  void FillList();
  void EntrySelected(int row);
  void ReadNotices();

  std::string folder_;
  std::vector<std::string> extensions_;
  QListWidget* list_ = nullptr;
  QPushButton* playButton_ = nullptr;
  QPushButton* stopButton_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QSlider* fadeInSlider_ = nullptr;
  QSlider* volumeSlider_ = nullptr;
  QSlider* tempoSlider_ = nullptr;
  QSlider* balanceSlider_ = nullptr;
  QLabel* status_ = nullptr;
  QTimer* noticeTimer_ = nullptr;
  bool preparing_ = false;
  // The name last played from this window, for the status line.
  QString playing_;
};

}  // namespace tess
