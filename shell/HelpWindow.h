#pragma once
// The program's help: its own HTML pages, shown in a window of their own that
// stays usable while the other windows are open.

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace zeb40 {

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    HelpWindow();

    // Shows a page ("main-window.html"; ".html" may be left out) and brings the
    // window to the front; false when the program has no such page.
    bool ShowPage(const QString& page);
    QString CurrentPage() const;

    static constexpr const char* ContentsPage = "index.html";

  private:
    QTextBrowser* browser_;
};

} // namespace zeb40
