// Helpers of the Qt tests: readable QStrings, and a person answering the next modal window.
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace talpora::qt::testkit {

// The QApplication of a whole test program, on the offscreen platform unless QT_QPA_PLATFORM names
// another. Register it once per program: AddGlobalTestEnvironment(new OffscreenApplication("name")).
class OffscreenApplication : public ::testing::Environment {
 public:
  explicit OffscreenApplication(const char* programName) : name_(programName) {}
  void SetUp() override {
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    argv_[0] = name_.data();
    app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::string name_;
  int argc_ = 1;
  char* argv_[2] = {nullptr, nullptr};
  std::unique_ptr<QApplication> app_;
};

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
