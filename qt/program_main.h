// qt: the start of every windowed program of the suite, so that its main() is a few lines:
//
//   int main(int argc, char** argv) {
//     return talpora::qt::runProgram(argc, argv, {"zyklist", "CNPlisti"}, [](talpora::qt::ProgramContext& c)
//     {
//       return std::make_unique<ListingWindow>(c);
//     });
//   }
//
// It makes the QApplication and the platform services, runs the start-up (program directory,
// settings, the command tail "N," and charts A and B from the transfer file, or the intermediate
// chart when started without a tail), registers the window class for ending the suite, turns
// SIGTERM into closing the window, shows it and runs the event loop.
#pragma once
#include <QApplication>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "files/startup.h"
#include "qt/qt_platform.h"

namespace talpora::qt {

struct ProgramInfo {
  std::string_view name;         // "zyklist"
  std::string_view windowClass;  // "CNPlisti"; empty: not ended with the suite
};

struct ProgramContext {
  QApplication& app;
  QtPlatform& qt;
  sys::Platform& platform;
  ProgramStart& start;  // program directory, settings, charts A and B
  std::string commandTail;
};

using MainWindowFactory = std::function<std::unique_ptr<QWidget>(ProgramContext&)>;

// The command tail (the arguments joined by blanks) and the --program-dir option taken out of it.
struct ProgramArguments {
  std::string tail;
  std::optional<std::filesystem::path> programDir;
};
ProgramArguments parseProgramArguments(const QStringList& argumentsAfterProgram);

int runProgram(int argc, char** argv, const ProgramInfo&, const MainWindowFactory&);

}  // namespace talpora::qt
