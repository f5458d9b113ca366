// zykdialogs: small helpers the dialog models share.
#pragma once
#include <string>

#include "platform/ui.h"

namespace talpora::dialogs {

// A box read as an unsigned whole number: blanks around it are ignored; anything that is not a
// whole number (or does not fit) reads as 0.
unsigned readUnsigned(const std::string& text);
// A box read as a signed whole number; nullopt-like failure gives `fallback`.
long readSigned(const std::string& text, long fallback = 0);

// The validation failure every entry dialog shows: a warning box captioned "Error", the offending
// box cleared (three blanks where the suite does so, else empty) and focused.
void refuse(ui::Interaction& ui, ui::FormState& state, ui::ControlId box, const std::string& message,
            const std::string& clearedText = "   ", const std::string& caption = "Error");

}  // namespace talpora::dialogs
