// qt: SIGTERM closes the main window.
#include "qt/termination.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>

namespace talpora::qt {

namespace {
// The pipe the signal handler writes to: a signal handler can reach nothing else.
int g_pipe[2] = {-1, -1};

extern "C" void onTerminate(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] auto n = ::write(g_pipe[1], &byte, 1);
  errno = saved;
}

QPointer<QWidget>& target() {
  static QPointer<QWidget> window;
  return window;
}
}  // namespace

bool closeOnTermination(QWidget* mainWindow) {
  target() = mainWindow;
  if (g_pipe[0] >= 0) return true;
  if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
    char buf[64];
    while (::read(g_pipe[0], buf, sizeof buf) > 0) {
    }
    // Dialogs first (their own loops end), then the window; without one the application ends.
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) d->reject();
    if (QWidget* w = target()) {
      w->close();
    } else {
      QApplication::quit();
    }
  });
  struct sigaction sa {};
  sa.sa_handler = onTerminate;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  return ::sigaction(SIGTERM, &sa, nullptr) == 0;
}

}  // namespace talpora::qt
