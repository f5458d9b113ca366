// qt: the start of a windowed program.
#include "qt/program_main.h"

#include <QWidget>

#include "qt/qt_text.h"
#include "qt/termination.h"

namespace talpora::qt {

ProgramArguments parseProgramArguments(const QStringList& args) {
  ProgramArguments out;
  QStringList words;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == QStringLiteral("--program-dir") && i + 1 < args.size()) {
      out.programDir = toPath(args[++i]);
    } else if (a.startsWith(QStringLiteral("--program-dir="))) {
      out.programDir = toPath(a.mid(14));
    } else {
      words << a;
    }
  }
  out.tail = fromQt(words.join(QLatin1Char(' ')));
  return out;
}

int runProgram(int argc, char** argv, const ProgramInfo& info, const MainWindowFactory& makeWindow) {
  QApplication app(argc, argv);
  app.setApplicationName(QString::fromUtf8(info.name.data(), static_cast<qsizetype>(info.name.size())));
  app.setOrganizationName(QStringLiteral("Talpora"));

  const ProgramArguments args = parseProgramArguments(app.arguments().mid(1));
  const ProgramDirInputs where = programDirInputsFromEnvironment(args.programDir);
  QtPlatform qt(resolveProgramDir(where));
  ProgramStart start = startProgram(args.tail, where, qt.interaction());
  ProgramContext context{app, qt, qt.platform(), start, args.tail};

  std::unique_ptr<QWidget> window = makeWindow(context);
  if (!window) return 1;
  qt.interaction().setMainWindow(window.get());
  // The handler before the registration: a registered program always closes on SIGTERM.
  closeOnTermination(window.get());
  if (!info.windowClass.empty()) qt.suite().registerSelf(info.windowClass);
  window->show();
  const int rc = app.exec();
  qt.suite().unregister();
  return rc;
}

}  // namespace talpora::qt
