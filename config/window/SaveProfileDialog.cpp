#include "config/window/SaveProfileDialog.h"

#include "config/ProfileCommands.h"

namespace zeb40 {

SaveProfileDialog::SaveProfileDialog(Operator& op, QWidget* parent)
    : ProfileNumberDialog({"Save User Profile", "Please enter the user profile number",
                           "User Profile (0 to 9):", MaxUserProfileNumber},
                          op, parent) {}

int RunSaveProfileDialog(Operator& op, QWidget* parent) {
    SaveProfileDialog dialog(op, parent);
    return dialog.Run();
}

} // namespace zeb40
