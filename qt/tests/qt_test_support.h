// Helpers of the Qt tests: readable QStrings, and a person answering the next modal window.
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace talpora::qt::testkit {

// Once a modal window other than `except` is open (polled on the event loop), `act` runs on it.
inline void whenModalOpens(std::function<void(QWidget*)> act, QWidget* except = nullptr) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, act, except, tries] {
    QWidget* modal = QApplication::activeModalWidget();
    if ((modal && modal != except && modal->isVisible()) || ++*tries > 500) {
      timer->stop();
      timer->deleteLater();
      if (modal && modal != except) act(modal);
    }
  });
  timer->start();
}

}  // namespace talpora::qt::testkit
