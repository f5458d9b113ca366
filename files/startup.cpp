// zykfile: start-up of a program that receives charts.
#include "files/startup.h"

#include <charconv>

#include "files/zykfile.h"
#include "platform/program_dir.h"

namespace talpora {

std::optional<long> parseCommandTail(std::string_view commandLine) {
  const auto comma = commandLine.find(',');
  std::string_view head = commandLine.substr(0, comma);
  while (!head.empty() && (head.front() == ' ' || head.front() == '\t')) head.remove_prefix(1);
  while (!head.empty() && (head.back() == ' ' || head.back() == '\t')) head.remove_suffix(1);
  if (head.empty()) return std::nullopt;
  long value = 0;
  const auto [ptr, ec] = std::from_chars(head.data(), head.data() + head.size(), value);
  if (ec != std::errc() || ptr != head.data() + head.size()) return std::nullopt;
  return value;
}

ProgramStart startProgram(std::string_view commandLine, const ProgramDirInputs& where, ui::Interaction& ui) {
  ProgramStart s;
  s.dirs = resolveProgramDir(where);
  EnsureProgramDirDefaults(s.dirs.dir);
  PutInMemBlock_CIni(s.settings, s.dirs.dir, ui);
  s.handle = parseCommandTail(commandLine);

  const TransferCharts t = readTransferFile(s.dirs.dir);
  if (!t.found && !s.handle) {
    // Started from a desktop menu: no hand-over is waiting.
    Chart1 interm{};
    if (PutInMemBlock_c1(interm, s.dirs.file(kIntermediateFileName), 0, ui)) {
      s.chartA = s.chartB = interm;
      s.fromIntermediate = true;
    }
    return s;
  }
  s.chartA = t.chartA;
  s.computedA = t.computedA;
  s.chartB = t.hasB() ? t.chartB : t.chartA;
  s.computedB = t.hasB() ? t.computedB : t.computedA;
  if (!t.found) {
    ui.message({"File " + s.dirs.file(kTransferFileName).string() + " cannot be opened.",
                "Error Message from zykfile.dll", ui::Buttons::Ok, ui::Icon::Stop, {}});
  } else if (!t.hasA()) {
    ui.message({"File " + s.dirs.file(kTransferFileName).string() + " holds " + std::to_string(t.bytesRead) +
                    " bytes, less than one chart: the chart is empty.",
                "Error Message from zykfile.dll", ui::Buttons::Ok, ui::Icon::Stop, {}});
  } else {
    s.fromTransferFile = true;
  }
  return s;
}

std::string windowTitle(std::string_view caption, const Chart1& chart) {
  return std::string(caption) + nameOf(chart) + " - " + typeTextOf(chart);
}

}  // namespace talpora
