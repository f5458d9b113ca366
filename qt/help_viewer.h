// qt: help in an in-app browser over the HTML pages of a help folder: index.html is the contents,
// keywords.html the index, topic-<n>.html a topic; an unknown topic shows the contents.
#pragma once
#include <QPointer>
#include <filesystem>
#include <vector>

#include "platform/program_dir.h"
#include "platform/sys.h"

class QTextBrowser;
class QWidget;

namespace talpora::qt {

class QtHelpViewer : public sys::HelpViewer {
 public:
  // The first folder that holds an index.html is used.
  explicit QtHelpViewer(std::vector<std::filesystem::path> folders);
  ~QtHelpViewer() override;
  // The program directory's help/, then the installed share/talpora/help, then the source tree's pages.
  static std::vector<std::filesystem::path> defaultFolders(const ProgramDir&);

  void contents() override;
  void index() override;
  void topic(int) override;

  const std::filesystem::path& folder() const { return folder_; }
  // The page a topic shows (-1 contents, -2 index); empty when there are no help pages at all.
  std::filesystem::path pageFor(int topic) const;
  const std::filesystem::path& currentPage() const { return current_; }
  QWidget* window() const;
  QTextBrowser* browser() const { return browser_; }

 private:
  void showPage(const std::filesystem::path&);
  std::filesystem::path folder_;
  std::filesystem::path current_;
  QPointer<QWidget> window_;
  QTextBrowser* browser_ = nullptr;
};

}  // namespace talpora::qt
