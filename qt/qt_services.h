// qt: the small services: sound through the desktop's command-line players and the wait cursor.
#pragma once
#include <QString>
#include <QStringList>
#include <filesystem>

#include "platform/sys.h"

namespace talpora::qt {

// Plays a sound file with the first player found on the PATH (paplay, then aplay) in the background.
// False when the file is missing or no player could be started (a beep is given instead).
class QtSoundPlayer : public sys::SoundPlayer {
 public:
  explicit QtSoundPlayer(QStringList players = {QStringLiteral("paplay"), QStringLiteral("aplay")})
      : players_(std::move(players)) {}
  bool playAsync(const std::filesystem::path&) override;

 private:
  QStringList players_;
};

// The wait cursor over the whole application while at least one scope is open.
class QtBusy : public sys::Busy {
 public:
  ~QtBusy() override;
  void push() override;
  void pop() override;
  int depth() const { return depth_; }

 private:
  int depth_ = 0;
};

}  // namespace talpora::qt
