#include "link/discovery/StoredPort.h"

#include <QSettings>

namespace zeb40 {

std::string PortStoredByWindow() {
    QSettings settings(QStringLiteral("VELOR"), QStringLiteral("zeb40"));
    return settings.value(QStringLiteral("Main/Port")).toString().toStdString();
}

} // namespace zeb40
