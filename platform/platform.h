// platform: the services a program of the suite receives, gathered in one place.
#pragma once
#include "platform/gfx.h"
#include "platform/program_dir.h"
#include "platform/sys.h"
#include "platform/ui.h"

namespace talpora::sys {

struct Platform {
  ui::Interaction& ui;
  gfx::Printers& printers;
  ProcessLauncher& launcher;
  HelpViewer& help;
  SoundPlayer& sound;
  Clock& clock;
  Busy& busy;
  Suite& suite;
  ProgramDir dirs;
};

}  // namespace talpora::sys
