#pragma once
// Where the file dialogs start: in the folder of the file the command works
// on, else in the folder a file was last chosen from (kept beside the port in
// the settings store), else in the user's documents folder.

class QSettings;
class QString;

namespace zeb40 {

// The first of those folders that exists; currentFile may be empty.
QString DialogStartFolder(const QString& currentFile, const QSettings& settings);
// Keeps the folder of a file the operator chose for the next dialog.
void RememberDialogFolder(const QString& chosenFile, QSettings& settings);

} // namespace zeb40
