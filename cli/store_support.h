// talpora command line: what the chart-keeping subcommands share (settings, the exchange format
// option, printing record lists).
#pragma once
#include <filesystem>
#include <string>

#include "cli/command.h"
#include "core/records.h"
#include "platform/headless/scripted_interaction.h"
#include "store/exchange.h"

namespace talpora::cli {

// The settings of the program directory (defaults, reported, when the file is missing).
CIni loadSettings(Context& ctx, ui::Interaction& ui);
// "--format aaf|csv" (required).
ExchangeFormat formatOption(Args& args);
// Reads an exchange file by its extension; malformed records and warnings go to standard error
// with the file name and line. WorkError when the file cannot be read or has no known extension.
ExchangeRead readExchangeFile(const std::filesystem::path& file, Context& ctx);

// Messages to standard error, every question answered Yes (the user asked for it on the command line).
class AgreeingInteraction : public headless::StderrInteraction {
 public:
  ui::Answer message(const ui::Message& m) override;
};

}  // namespace talpora::cli
