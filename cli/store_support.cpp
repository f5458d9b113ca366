// talpora command line: helpers of the chart-keeping subcommands.
#include "cli/store_support.h"

#include <fstream>
#include <iterator>
#include <ostream>

#include "files/zykfile.h"
#include "platform/mapped_file.h"

namespace talpora::cli {

CIni loadSettings(Context& ctx, ui::Interaction& ui) {
  CIni settings;
  PutInMemBlock_CIni(settings, ctx.programDir().dir, ui);
  return settings;
}

ExchangeFormat formatOption(Args& args) {
  const auto f = args.option("--format");
  if (!f) throw UsageError("option --format aaf|csv is required");
  if (*f == "aaf") return ExchangeFormat::Aaf;
  if (*f == "csv") return ExchangeFormat::Csv;
  throw UsageError("option --format: aaf or csv");
}

ExchangeRead readExchangeFile(const std::filesystem::path& file, Context& ctx) {
  const auto format = exchangeFormatOf(file);
  if (!format) throw UsageError("'" + file.string() + "': an exchange file ends in .aaf or .csv");
  const auto bytes = MappedFile::open(file);
  if (!bytes) throw WorkError("cannot read " + file.string());
  ExchangeRead r = readExchange(bytes->bytes(), *format);
  for (const auto& e : r.errors)
    ctx.err << file.string() << ":" << e.line << ": " << e.message << "; not stored\n";
  for (const auto& w : r.warnings) ctx.err << file.string() << ":" << w.line << ": " << w.message << "\n";
  return r;
}

ui::Answer AgreeingInteraction::message(const ui::Message& m) {
  StderrInteraction::message(m);
  switch (m.buttons) {
    case ui::Buttons::YesNo:
    case ui::Buttons::YesNoCancel:
      return ui::Answer::Yes;
    case ui::Buttons::RetryCancel:
      return ui::Answer::Retry;
    default:
      return ui::Answer::Ok;
  }
}

}  // namespace talpora::cli
