// qt: the platform services of a windowed program.
#include "qt/qt_platform.h"

namespace talpora::qt {

QtPlatform::QtPlatform(ProgramDir dirs)
    : printers_(dirs.dir),
      interaction_(&printers_),
      launcher_(dirs),
      help_(QtHelpViewer::defaultFolders(dirs)),
      platform_{interaction_, printers_, launcher_, help_, sound_, clock_, busy_, suite_, dirs} {}

}  // namespace talpora::qt
