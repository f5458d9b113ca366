// zykfile: the start-up every program that receives charts goes through: the program directory, its
// default files, the settings, the command tail "N," (parsed, not used) and charts A and B from the
// transfer file.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/records.h"
#include "core/transfer.h"
#include "platform/program_dir.h"
#include "platform/ui.h"

namespace talpora {

struct ProgramStart {
  ProgramDir dirs;
  CIni settings;
  Chart1 chartA;
  Chart2 computedA;
  Chart1 chartB;
  Chart2 computedB;
  std::optional<long> handle;  // the number before the first comma of the command tail
  bool fromTransferFile = false;  // chart A came from "DATA10.DTF"
  bool fromIntermediate = false;  // no transfer file and no command tail: the intermediate chart
};

// The integer before the first comma of a command tail ("4711," -> 4711); nullopt when there is none.
std::optional<long> parseCommandTail(std::string_view commandLine);

// The whole start-up. A missing or short transfer file is reported and leaves zeroed records (never
// a read past its end); a program started without a command tail and without a transfer file opens
// on the intermediate chart instead. Charts B repeat A when the file holds A only.
ProgramStart startProgram(std::string_view commandLine, const ProgramDirInputs& where, ui::Interaction& ui);

// The window title: caption, name, " - ", typeText.
std::string windowTitle(std::string_view caption, const Chart1& chart);

}  // namespace talpora
