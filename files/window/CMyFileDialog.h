#pragma once
// The program's file dialog: Qt's open or save dialog, run modally with its
// owner disabled meanwhile and the keyboard focus given back afterwards.

#include "operator/Operator.h"

#include <QFileDialog>
#include <QString>
#include <vector>

namespace zeb40 {

class CMyFileDialog : public QFileDialog {
    Q_OBJECT
  public:
    // defaultExtension (without the dot) is appended to a name typed without
    // one; the save dialog asks before replacing a file when askBeforeOverwrite.
    CMyFileDialog(bool open, const QString& defaultExtension, const QString& initialName,
                  bool askBeforeOverwrite, const std::vector<FileFilter>& filters, QWidget* owner);

    // 1 when a file was chosen, 2 when cancelled.
    int DoModal();
    QString PathName() const { return path_; }
    QString FileTitle() const;

    // "name" of "/folder/name.ext": no folder, nothing from the last "." on.
    static QString TitleOfPath(const QString& path);
    // The filter as Qt matches it; "*.*" means every file, as it does for the
    // operator.
    static QString QtFilter(const FileFilter& filter);

  private:
    QWidget* owner_;
    QString path_;
};

} // namespace zeb40
