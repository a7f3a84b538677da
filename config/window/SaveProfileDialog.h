#pragma once
// Asks for the user profile number (0 to 9) that the settings are saved as.

#include "config/window/ProfileNumberDialog.h"

namespace zeb40 {

class SaveProfileDialog : public ProfileNumberDialog {
    Q_OBJECT
  public:
    explicit SaveProfileDialog(Operator& op, QWidget* parent = nullptr);
};

// The number entered, or ProfileNumberDialog::Cancelled.
int RunSaveProfileDialog(Operator& op, QWidget* parent);

} // namespace zeb40
