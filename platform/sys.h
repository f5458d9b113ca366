// platform: processes, help, sound, clock, wait cursor and the suite's window registry.
#pragma once
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace talpora::sys {

enum class Program { List, Fore, Syn, Interp, Grid, Draw, Color, Base, Alarm };
// The executable name of a suite program ("zyklist", ...).
std::string_view programName(Program);

class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;
  // Starts a suite program with its command tail ("4711," or "4711, 1, 0, 4"); false when it can't.
  virtual bool start(Program, std::string_view argumentTail) = 0;
  // Runs the user's command (split into arguments, no shell) with the file as one more argument.
  virtual bool startUserCommand(std::string_view commandLine, const std::filesystem::path& file) = 0;
  // Opens a text file in the desktop's text viewer.
  virtual bool openTextFile(const std::filesystem::path&) = 0;
};

class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual void contents() = 0;
  virtual void index() = 0;
  virtual void topic(int) = 0;
};

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  virtual bool playAsync(const std::filesystem::path&) = 0;  // false: could not play
};

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
struct UtcNow {
  LocalTime utc;              // the present moment in UTC
  double utcOffsetHours = 0;  // the system's current offset of local clock time, summer time included
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime now() const = 0;  // local clock time
  virtual UtcNow utcNow() const = 0;
  virtual std::uint32_t ticks() const = 0;  // milliseconds, for seeds
};

class Busy {
 public:
  virtual ~Busy() = default;
  virtual void push() = 0;
  virtual void pop() = 0;
};
// Shows the wait cursor for the life of the scope; a null Busy shows nothing.
class BusyScope {
 public:
  explicit BusyScope(Busy& b) : b_(&b) { b_->push(); }
  explicit BusyScope(Busy* b) : b_(b) {
    if (b_) b_->push();
  }
  ~BusyScope() {
    if (b_) b_->pop();
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  Busy* b_;
};

// Ending the suite: each program registers its window class; closeAll asks every registered program
// of each class, in the given order, to close.
class Suite {
 public:
  virtual ~Suite() = default;
  virtual void registerSelf(std::string_view windowClass) = 0;
  virtual void closeAll(std::span<const std::string_view> classesInOrder) = 0;
};

}  // namespace talpora::sys
