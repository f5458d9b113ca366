// zykorbs: "Customizing Orbs of Aspects". Mode 0: the natal orbs of the settings (20 aspects, with and
// without the Sun or Moon); mode 1: the transit orbs (file "ZYKINI3.DTF"); mode 2: the progression
// orbs ("ZYKINI4.DTF"), nine aspects each.
#pragma once
#include <array>

#include "core/records.h"
#include "platform/sys.h"
#include "platform/ui.h"

namespace talpora::dialogs {

class OrbsDialog final : public ui::DialogModel {
 public:
  enum : ui::ControlId {
    kList = 101,
    kName = 102,
    kDefinition = 103,
    kCategory = 104,
    kLabel1 = 105,
    kDegrees1 = 106,
    kMinutes1 = 107,
    kDefault1 = 108,
    kLabel2 = 109,
    kDegrees2 = 110,
    kMinutes2 = 111,
    kDefault2 = 112,
    kRestore = 113
  };
  OrbsDialog(CIni& settings, sys::HelpViewer& help, int mode, ui::Interaction& ui);
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;

  // The orbs the dialog holds (degrees): with the Sun or Moon, and for other objects (modes 1, 2: the
  // first set only).
  std::array<double, 20> luminaries{}, others{};

 private:
  int aspectCount() const { return mode_ == 0 ? 20 : 9; }
  double defaultOrb(int aspect, bool withLuminaries) const;
  void show(ui::FormState&, int aspect);
  // Stores the boxes of the aspect shown; false (after the message) when an orb exceeds the maximum.
  bool store(ui::FormState&, ui::Interaction&);
  // The two overlap questions; false when the user chose Cancel (orbs reset, dialog kept open).
  bool overlapsAccepted(ui::FormState&, ui::Interaction&);
  bool save(ui::Interaction&);

  CIni& settings_;
  sys::HelpViewer& help_;
  int mode_;
  int shown_ = 0;
  ui::FormSpec form_;
};

// Shows the dialog; 1 when the orbs were stored, 0 on Cancel.
int SetAspectOrbs(ui::Interaction& ui, CIni& settings, sys::HelpViewer& help, int mode);

}  // namespace talpora::dialogs
