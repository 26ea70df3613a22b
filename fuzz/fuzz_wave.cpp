// Reads arbitrary bytes as a wave file. A wave that reads must hold whole frames and must play on
// every voice at any tempo and balance without touching memory it does not own.
#include <cstdlib>
#include <memory>

#include "media/WaveFile.h"
#include "media/WavePlayer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tess;
  std::shared_ptr<TPcmData> pcm;
  try {
    pcm = std::make_shared<TPcmData>(DecodeWave(data, size));
  } catch (const EInvalidWaveFile&) {
    return 0;
  }
  if (pcm->channels < 1 || pcm->channels > 2 || pcm->samples.size() % size_t(pcm->channels) != 0) std::abort();
  TWavePlayer player(44100);
  player.SetEffectCount(1);
  player.Music().Assign(pcm, "music.wav");
  player.Effect(0).Assign(pcm, "effect.wav");
  const int pick = size ? data[size / 2] : 0;
  player.Music().Play(100, 1 + pick * 40, true, pick % 101);
  for (int v = 0; v < 5; ++v) player.Effect(0).Play(50, 50 + v * 2000, false, v * 25);
  player.Music().FadeOut(20);
  float out[2 * 256];
  for (int i = 0; i < 16; ++i) player.Render(out, 256);
  return 0;
}
