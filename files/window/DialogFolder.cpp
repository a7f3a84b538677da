#include "files/window/DialogFolder.h"

#include "resources/ProgramIdentity.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <array>

namespace zeb40 {
namespace {

constexpr const char* LastFolderSetting = identity::LastFolder.key;

} // namespace

QString DialogStartFolder(const QString& currentFile, const QSettings& settings) {
    const std::array<QString, 3> candidates{
        currentFile.isEmpty() ? QString() : QFileInfo(currentFile).absolutePath(),
        settings.value(LastFolderSetting).toString(),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
    };
    // A folder removed since, or a store edited by hand, falls through to the next.
    for (const QString& folder : candidates) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}

void RememberDialogFolder(const QString& chosenFile, QSettings& settings) {
    settings.setValue(LastFolderSetting, QFileInfo(chosenFile).absolutePath());
    settings.sync();
}

} // namespace zeb40
