#pragma once
// Builds the configuration window's groups, controls and button column: each
// setting's controls in its place, each combo filled with its item's list,
// given to the setting's binding; the window's own controls by id.

#include "config/window/ConfigControls.h"

class QDialog;

namespace zeb40 {

ConfigControls BuildConfigLayout(QDialog& dialog);

} // namespace zeb40
