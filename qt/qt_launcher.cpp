// qt: the process launcher.
#include "qt/qt_launcher.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QUrl>

#include "qt/qt_text.h"

namespace talpora::qt {

QtLauncher::QtLauncher(ProgramDir dirs, std::vector<std::filesystem::path> programFolders)
    : dirs_(std::move(dirs)), folders_(std::move(programFolders)) {}

std::vector<std::filesystem::path> QtLauncher::defaultProgramFolders() {
  const std::filesystem::path exe = currentExecutable();
  const std::filesystem::path dir = exe.parent_path();
  return {dir, dir.parent_path() / "libexec" / "talpora"};
}

std::optional<std::filesystem::path> QtLauncher::programPath(sys::Program p) const {
  const std::string name(sys::programName(p));
  for (const auto& folder : folders_) {
    const std::filesystem::path candidate = folder / name;
    const QFileInfo info(fromPath(candidate));
    if (info.isFile() && info.isExecutable()) return candidate;
  }
  return std::nullopt;
}

bool QtLauncher::start(sys::Program p, std::string_view argumentTail) {
  const auto path = programPath(p);
  if (!path) return false;
  QProcess process;
  process.setProgram(fromPath(*path));
  // The tail travels as one argument, as it was one command line ("4711," or "4711, 1, 0, 4").
  if (!argumentTail.empty()) process.setArguments({toQt(argumentTail)});
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (!dirs_.dir.empty()) {
    env.insert(QStringLiteral("TALPORA_HOME"), fromPath(dirs_.dir));
    process.setWorkingDirectory(fromPath(dirs_.dir));
  }
  process.setProcessEnvironment(env);
  return process.startDetached();
}

bool QtLauncher::startUserCommand(std::string_view commandLine, const std::filesystem::path& file) {
  // Split as a shell would split words, but run without a shell: blanks in the file name are safe.
  QStringList words = QProcess::splitCommand(QString::fromStdString(std::string(commandLine)));
  if (words.isEmpty()) return false;
  const QString program = words.takeFirst();
  words << fromPath(file);
  QProcess process;
  process.setProgram(program);
  process.setArguments(words);
  if (!dirs_.dir.empty()) process.setWorkingDirectory(fromPath(dirs_.dir));
  return process.startDetached();
}

bool QtLauncher::openTextFile(const std::filesystem::path& file) {
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (!opener.isEmpty()) return QProcess::startDetached(opener, {fromPath(file)});
  return QDesktopServices::openUrl(QUrl::fromLocalFile(fromPath(file)));
}

}  // namespace talpora::qt
