#include "link/discovery/StoredPort.h"

#include "resources/ProgramIdentity.h"

#include <QSettings>

namespace zeb40 {

std::string PortStoredByWindow() {
    QSettings settings(identity::Organization, identity::Application);
    return settings.value(identity::Port.key).toString().toStdString();
}

} // namespace zeb40
