#include "files/window/CMyFileDialog.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QWindow>
#include <algorithm>

namespace zeb40 {

CMyFileDialog::CMyFileDialog(bool open, const QString& defaultExtension, const QString& initialName,
                             bool askBeforeOverwrite, const std::vector<FileFilter>& filters,
                             QWidget* owner)
    : QFileDialog(nullptr), owner_(owner) {
    // Not a child of the owner: disabling the owner would disable the dialog.
    setAcceptMode(open ? AcceptOpen : AcceptSave);
    setFileMode(open ? ExistingFile : AnyFile);
    setDefaultSuffix(defaultExtension);
    setOption(DontConfirmOverwrite, open || !askBeforeOverwrite);
    QStringList names;
    for (const FileFilter& filter : filters)
        names << QtFilter(filter);
    setNameFilters(names);
    if (!names.isEmpty())
        selectNameFilter(names.front());
    if (!initialName.isEmpty())
        selectFile(initialName);
    // Room for the name, size, type and date columns side by side.
    const int character = fontMetrics().averageCharWidth();
    resize(std::max(width(), 100 * character), std::max(height(), 30 * fontMetrics().height()));
    if (owner_) {
        create();
        if (QWindow* ownerWindow = owner_->window()->windowHandle())
            windowHandle()->setTransientParent(ownerWindow);
    }
}

int CMyFileDialog::DoModal() {
    QPointer<QWidget> focus = QApplication::focusWidget();
    const bool disabledOwner = owner_ && owner_->isEnabled();
    if (disabledOwner)
        owner_->setEnabled(false);
    const int result = exec();
    if (disabledOwner)
        owner_->setEnabled(true);
    if (focus)
        focus->setFocus();
    if (result != QDialog::Accepted || selectedFiles().isEmpty())
        return 2;
    path_ = QFileInfo(selectedFiles().front()).absoluteFilePath();
    return 1;
}

QString CMyFileDialog::FileTitle() const {
    return TitleOfPath(path_);
}

QString CMyFileDialog::TitleOfPath(const QString& path) {
    QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString CMyFileDialog::QtFilter(const FileFilter& filter) {
    QString description = QString::fromStdString(filter.description);
    QString pattern = QString::fromStdString(filter.pattern);
    const qsizetype bracket = description.lastIndexOf(QLatin1String(" ("));
    QString name = bracket < 0 ? description : description.left(bracket);
    if (pattern == QLatin1String("*.*"))
        pattern = QStringLiteral("*");
    return name + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

} // namespace zeb40
