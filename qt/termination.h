// qt: SIGTERM (how the suite asks a program to end, see the suite registry) turned into closing the
// program's main window on the event loop: the signal handler only writes a byte to a pipe, a socket
// notifier reads it and closes open dialogs, then the window.
#pragma once

class QWidget;

namespace talpora::qt {

// Installs the handler once per process and points it at `mainWindow` (the last one given wins).
// False when the pipe or the handler could not be set up.
bool closeOnTermination(QWidget* mainWindow);

}  // namespace talpora::qt
