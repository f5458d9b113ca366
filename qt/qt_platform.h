// qt: every platform service a windowed program of the suite receives, built together.
#pragma once
#include "platform/headless/fakes.h"
#include "platform/platform.h"
#include "platform/suite_registry.h"
#include "qt/help_viewer.h"
#include "qt/qt_interaction.h"
#include "qt/qt_launcher.h"
#include "qt/qt_printers.h"
#include "qt/qt_services.h"

namespace talpora::qt {

class QtPlatform {
 public:
  // A QApplication must exist. Documents print to PDF files in the program directory when no
  // printer is installed.
  explicit QtPlatform(ProgramDir dirs);
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  sys::Platform& platform() { return platform_; }
  QtInteraction& interaction() { return interaction_; }
  QtPrinters& printers() { return printers_; }
  QtLauncher& launcher() { return launcher_; }
  QtHelpViewer& help() { return help_; }
  QtSoundPlayer& sound() { return sound_; }
  headless::SystemClock& clock() { return clock_; }
  QtBusy& busy() { return busy_; }
  SuiteRegistry& suite() { return suite_; }

 private:
  QtPrinters printers_;
  QtInteraction interaction_;
  QtLauncher launcher_;
  QtHelpViewer help_;
  QtSoundPlayer sound_;
  headless::SystemClock clock_;
  QtBusy busy_;
  SuiteRegistry suite_;
  sys::Platform platform_;
};

}  // namespace talpora::qt
