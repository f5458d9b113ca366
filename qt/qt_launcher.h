// qt: starting processes: suite programs beside the running executable (else in
// ../libexec/talpora), the user's own command with a file as its last argument (no shell), and the
// desktop's viewer for text files.
#pragma once
#include <QString>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/program_dir.h"
#include "platform/sys.h"

namespace talpora::qt {

class QtLauncher : public sys::ProcessLauncher {
 public:
  // programFolders: where suite programs are looked for, in order (default: the running
  // executable's folder, then ../libexec/talpora beside it). Started programs get the same program
  // directory (TALPORA_HOME).
  explicit QtLauncher(ProgramDir dirs,
                      std::vector<std::filesystem::path> programFolders = defaultProgramFolders());
  static std::vector<std::filesystem::path> defaultProgramFolders();
  std::optional<std::filesystem::path> programPath(sys::Program) const;

  bool start(sys::Program, std::string_view argumentTail) override;
  bool startUserCommand(std::string_view commandLine, const std::filesystem::path& file) override;
  bool openTextFile(const std::filesystem::path&) override;

 private:
  ProgramDir dirs_;
  std::vector<std::filesystem::path> folders_;
};

}  // namespace talpora::qt
