#include "config/window/LoadProfileDialog.h"

#include "config/ProfileCommands.h"

namespace zeb40 {

LoadProfileDialog::LoadProfileDialog(Operator& op, QWidget* parent)
    : ProfileNumberDialog({"Load Profile",
                           "Please enter the profile number or just click OK to load the "
                           "factory settings",
                           "Profile:", MaxLoadProfileNumber},
                          op, parent) {}

bool LoadProfile(UnitLink& link, Operator& op, QWidget* parent) {
    LoadProfileDialog dialog(op, parent);
    const int number = dialog.Run();
    if (number < 0)
        return false;
    LoadProfileNumber(link, number, op);
    return true;
}

} // namespace zeb40
