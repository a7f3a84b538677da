#pragma once
// Builds the configuration window's groups, controls and button column, each
// combo filled with its item's list, and returns the controls by id.

#include "config/window/ConfigControls.h"

class QDialog;

namespace zeb40 {

ConfigControls BuildConfigLayout(QDialog& dialog);

} // namespace zeb40
