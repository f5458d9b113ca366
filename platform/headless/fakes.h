// headless: recording stand-ins for the launcher, help, sound, clock, wait cursor and suite registry.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/sys.h"

namespace talpora::headless {

class RecordingLauncher : public sys::ProcessLauncher {
 public:
  bool start(sys::Program p, std::string_view tail) override {
    started.emplace_back(std::string(sys::programName(p)), std::string(tail));
    return succeed;
  }
  bool startUserCommand(std::string_view cmd, const std::filesystem::path& file) override {
    userCommands.emplace_back(std::string(cmd), file);
    return succeed;
  }
  bool openTextFile(const std::filesystem::path& file) override {
    opened.push_back(file);
    return succeed;
  }
  bool succeed = true;
  std::vector<std::pair<std::string, std::string>> started;
  std::vector<std::pair<std::string, std::filesystem::path>> userCommands;
  std::vector<std::filesystem::path> opened;
};

class RecordingHelp : public sys::HelpViewer {
 public:
  void contents() override { topics.push_back(-1); }
  void index() override { topics.push_back(-2); }
  void topic(int t) override { topics.push_back(t); }
  std::vector<int> topics;  // -1 contents, -2 index
};

class RecordingSound : public sys::SoundPlayer {
 public:
  bool playAsync(const std::filesystem::path& p) override {
    played.push_back(p);
    return succeed;
  }
  bool succeed = true;
  std::vector<std::filesystem::path> played;
};

class FixedClock : public sys::Clock {
 public:
  sys::LocalTime now() const override { return local; }
  sys::UtcNow utcNow() const override { return {utc, offsetHours}; }
  std::uint32_t ticks() const override { return tickCount; }
  sys::LocalTime local{2000, 1, 1, 12, 0, 0};
  sys::LocalTime utc{2000, 1, 1, 12, 0, 0};
  double offsetHours = 0;
  std::uint32_t tickCount = 0;
};

// The system clock through the C library (local time, UTC and the current offset).
class SystemClock : public sys::Clock {
 public:
  sys::LocalTime now() const override;
  sys::UtcNow utcNow() const override;
  std::uint32_t ticks() const override;
};

class CountingBusy : public sys::Busy {
 public:
  void push() override {
    ++depth;
    ++total;
  }
  void pop() override { --depth; }
  int depth = 0, total = 0;
};

class InMemorySuite : public sys::Suite {
 public:
  void registerSelf(std::string_view cls) override { registered.emplace_back(cls); }
  void closeAll(std::span<const std::string_view> order) override {
    for (auto c : order) closedClasses.emplace_back(c);
  }
  std::vector<std::string> registered, closedClasses;
};

}  // namespace talpora::headless
