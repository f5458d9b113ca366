// qt: the help browser.
#include "qt/help_viewer.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

#include "qt/qt_text.h"

namespace talpora::qt {

namespace fs = std::filesystem;

QtHelpViewer::QtHelpViewer(std::vector<fs::path> folders) {
  for (const auto& f : folders) {
    std::error_code ec;
    if (!f.empty() && fs::is_regular_file(f / "index.html", ec)) {
      folder_ = f;
      break;
    }
  }
}

QtHelpViewer::~QtHelpViewer() {
  if (window_) delete window_.data();
}

std::vector<fs::path> QtHelpViewer::defaultFolders(const ProgramDir& dirs) {
  std::vector<fs::path> out;
  if (!dirs.dir.empty()) out.push_back(dirs.dir / "help");
  const fs::path exeDir = currentExecutable().parent_path();
  out.push_back(exeDir / "help");
  out.push_back(exeDir.parent_path() / "share" / "talpora" / "help");
#ifdef TALPORA_SOURCE_HELP_DIR
  out.push_back(TALPORA_SOURCE_HELP_DIR);
#endif
  return out;
}

fs::path QtHelpViewer::pageFor(int topic) const {
  if (folder_.empty()) return {};
  const fs::path contents = folder_ / "index.html";
  if (topic == -1) return contents;
  std::error_code ec;
  const fs::path page =
      topic == -2 ? folder_ / "keywords.html" : folder_ / ("topic-" + std::to_string(topic) + ".html");
  return fs::is_regular_file(page, ec) ? page : contents;
}

QWidget* QtHelpViewer::window() const {
  return window_;
}

void QtHelpViewer::showPage(const fs::path& page) {
  if (!window_) {
    window_ = new QWidget(nullptr, Qt::Window);
    window_->setWindowTitle(QStringLiteral("Talpora Help"));
    auto* layout = new QVBoxLayout(window_);
    layout->setContentsMargins(0, 0, 0, 0);
    browser_ = new QTextBrowser(window_);
    browser_->setOpenExternalLinks(true);
    layout->addWidget(browser_);
    window_->resize(720, 640);
  }
  current_ = page;
  if (page.empty()) {
    browser_->setPlainText(QStringLiteral("The help pages are not installed."));
  } else {
    browser_->setSearchPaths({fromPath(folder_)});
    browser_->setSource(QUrl::fromLocalFile(fromPath(page)));
  }
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void QtHelpViewer::contents() {
  showPage(pageFor(-1));
}
void QtHelpViewer::index() {
  showPage(pageFor(-2));
}
void QtHelpViewer::topic(int n) {
  showPage(pageFor(n));
}

}  // namespace talpora::qt
