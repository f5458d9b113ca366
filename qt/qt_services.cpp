// qt: sound and the wait cursor.
#include "qt/qt_services.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>

#include "qt/qt_text.h"

namespace talpora::qt {

bool QtSoundPlayer::playAsync(const std::filesystem::path& file) {
  if (QFileInfo(fromPath(file)).isFile()) {
    for (const QString& name : players_) {
      const QString player = QStandardPaths::findExecutable(name);
      if (!player.isEmpty() && QProcess::startDetached(player, {fromPath(file)})) return true;
    }
  }
  QApplication::beep();
  return false;
}

QtBusy::~QtBusy() {
  while (depth_ > 0) pop();
}

void QtBusy::push() {
  if (depth_++ == 0) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtBusy::pop() {
  if (depth_ == 0) return;
  if (--depth_ == 0) QGuiApplication::restoreOverrideCursor();
}

}  // namespace talpora::qt
