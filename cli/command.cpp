// talpora command line: registry and argument helpers.
#include "cli/command.h"

#include <charconv>
#include <cstdio>

#include "files/zykfile.h"

namespace talpora::cli {

std::vector<Command>& registry() {
  static std::vector<Command> commands;
  return commands;
}

const Command* findCommand(const std::string& name) {
  for (const auto& c : registry())
    if (c.name == name) return &c;
  return nullptr;
}

std::optional<double> parseNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  double v = 0;
  const char* begin = text.data();
  if (*begin == '+') ++begin;
  const auto [ptr, ec] = std::from_chars(begin, text.data() + text.size(), v);
  if (ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
  return v;
}

std::optional<long> parseInteger(const std::string& text) {
  if (text.empty()) return std::nullopt;
  long v = 0;
  const char* begin = text.data();
  if (*begin == '+') ++begin;
  const auto [ptr, ec] = std::from_chars(begin, text.data() + text.size(), v);
  if (ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
  return v;
}

std::string fixed(double value, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  return buf;
}

std::optional<std::string> Args::option(const std::string& name) {
  for (std::size_t i = 0; i < args_.size(); ++i) {
    if (args_[i] == name) {
      if (i + 1 >= args_.size()) throw UsageError("option " + name + " needs a value");
      std::string value = args_[i + 1];
      args_.erase(args_.begin() + static_cast<long>(i), args_.begin() + static_cast<long>(i) + 2);
      return value;
    }
    if (args_[i].rfind(name + "=", 0) == 0) {
      std::string value = args_[i].substr(name.size() + 1);
      args_.erase(args_.begin() + static_cast<long>(i));
      return value;
    }
  }
  return std::nullopt;
}

bool Args::flag(const std::string& name) {
  for (std::size_t i = 0; i < args_.size(); ++i) {
    if (args_[i] == name) {
      args_.erase(args_.begin() + static_cast<long>(i));
      return true;
    }
  }
  return false;
}

std::optional<double> Args::number(const std::string& name) {
  auto text = option(name);
  if (!text) return std::nullopt;
  auto v = parseNumber(*text);
  if (!v) throw UsageError("option " + name + ": '" + *text + "' is not a number");
  return v;
}

std::optional<long> Args::integer(const std::string& name) {
  auto text = option(name);
  if (!text) return std::nullopt;
  auto v = parseInteger(*text);
  if (!v) throw UsageError("option " + name + ": '" + *text + "' is not a whole number");
  return v;
}

std::vector<std::string> Args::positionals() const {
  return args_;
}

std::string Args::next(const std::string& what) {
  for (std::size_t i = 0; i < args_.size(); ++i) {
    // A negative number is a positional value, not an option.
    const bool looksLikeOption = args_[i].size() > 1 && args_[i][0] == '-' && !parseNumber(args_[i]);
    if (looksLikeOption) continue;
    std::string v = args_[i];
    args_.erase(args_.begin() + static_cast<long>(i));
    return v;
  }
  throw UsageError("missing " + what);
}

void Args::finish() const {
  if (args_.empty()) return;
  const auto& a = args_.front();
  if (a.size() > 1 && a[0] == '-' && !parseNumber(a)) throw UsageError("unknown option " + a);
  throw UsageError("unexpected argument '" + a + "'");
}

std::optional<Args> Args::splitAt(const std::string& name) {
  for (std::size_t i = 0; i < args_.size(); ++i) {
    if (args_[i] == name) {
      std::vector<std::string> rest(args_.begin() + static_cast<long>(i) + 1, args_.end());
      args_.resize(i);
      return Args(std::move(rest));
    }
  }
  return std::nullopt;
}

const ProgramDir& Context::programDir() {
  if (!dir_) {
    dir_ = resolveProgramDir(programDirInputsFromEnvironment(programDirOverride));
    EnsureProgramDirDefaults(dir_->dir);
  }
  return *dir_;
}

}  // namespace talpora::cli
