#pragma once
// Edit > Load Profile: asks for a profile number (0 to 499; 0 loads the
// factory settings) and loads it into the unit.

#include "config/window/ProfileNumberDialog.h"
#include "link/UnitLink.h"

namespace zeb40 {

class LoadProfileDialog : public ProfileNumberDialog {
    Q_OBJECT
  public:
    explicit LoadProfileDialog(Operator& op, QWidget* parent = nullptr);
};

// True when a 'B' command was sent; the caller then reads the settings back
// from the unit, also after a reported failure.
bool LoadProfile(UnitLink& link, Operator& op, QWidget* parent);

} // namespace zeb40
