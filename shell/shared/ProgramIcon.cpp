#include "shell/shared/ProgramIcon.h"

// Resources of a static library must be registered by hand, from the global
// namespace.
static void RegisterIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace zeb40 {

QIcon ProgramIcon() {
    static const bool registered = (RegisterIconResources(), true);
    (void)registered;
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/icons/zeb40_%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace zeb40
