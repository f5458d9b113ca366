// platform: names of the suite's programs.
#include "platform/sys.h"

namespace talpora::sys {

std::string_view programName(Program p) {
  switch (p) {
    case Program::List: return "zyklist";
    case Program::Fore: return "zykfore";
    case Program::Syn: return "zyksyn";
    case Program::Interp: return "zykinterp";
    case Program::Grid: return "zykgrid";
    case Program::Draw: return "zykdraw";
    case Program::Color: return "zykcolor";
    case Program::Base: return "zykbase";
    case Program::Alarm: return "zykalarm";
  }
  return "";
}

}  // namespace talpora::sys
