// The movie document's sound operations: event sounds, StartSound and the background stream.

#include <algorithm>

#include "media/flash_sound.h"
#include "media/sound_tags.h"
#include "movie/flash_movie.h"

namespace orvanta {

void TFlashMovie::TFlashSoundDeleter::operator()(TFlashSound* sound) const {
  delete sound;
}

TFlashSound* TFlashMovie::AddSound(const std::string& fileName) {
  auto sound = std::make_unique<TFlashSound>(this, fileName);
  TFlashSound* raw = sound.get();
  AddIDObject(std::move(sound), true);
  Sounds.push_back(raw);
  return raw;
}

TSWFStartSound* TFlashMovie::StartSound(uint16_t soundID) {
  auto tag = std::make_unique<TSWFStartSound>();
  tag->SoundId = soundID;
  return Add(std::move(tag));
}

TFlashSound& TFlashMovie::BackgroundSound() {
  if (!backgroundSound_) backgroundSound_.reset(new TFlashSound(this));
  backgroundStreaming_ = true;
  return *backgroundSound_;
}

void TFlashMovie::WriteBackgroundSoundHead(TBitsEngine& engine, int& version) {
  if (!BackgroundStreaming()) return;
  version = std::max(version, backgroundSound_->MinVersion());
  TSWFSoundStreamHead2 head;
  backgroundSound_->SetupStreamHead(head, FPS());
  head.WriteToStream(engine);
}

void TFlashMovie::WriteBackgroundSoundBlock(TBitsEngine& engine, int frames) {
  if (BackgroundStreaming() && backgroundSound_->StartFrame <= frames)
    backgroundSound_->WriteStreamBlock(engine);
}

}  // namespace orvanta
