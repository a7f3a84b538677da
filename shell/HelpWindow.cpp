#include "shell/HelpWindow.h"

#include "shell/shared/ProgramIcon.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// Resources of a static library must be registered by hand, from the global
// namespace.
static void RegisterHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace zeb40 {
namespace {

QString PagePath(QString page) {
    if (!page.endsWith(QLatin1String(".html")))
        page += QLatin1String(".html");
    return QStringLiteral(":/help/") + page;
}

} // namespace

HelpWindow::HelpWindow() : QWidget(nullptr, Qt::Window), browser_(new QTextBrowser(this)) {
    static const bool registered = (RegisterHelpResources(), true);
    (void)registered;
    setWindowTitle(QStringLiteral("ZEB40 Help"));
    setWindowIcon(ProgramIcon());
    browser_->setSearchPaths({QStringLiteral(":/help")});
    browser_->setOpenExternalLinks(true);

    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    auto* forward = new QPushButton(QStringLiteral("&Forward"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, [this] { ShowPage(ContentsPage); });
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
    resize(560, 520);
}

bool HelpWindow::ShowPage(const QString& page) {
    const QString path = PagePath(page);
    if (!QFileInfo::exists(path))
        return false;
    browser_->setSource(QUrl(QStringLiteral("qrc") + path));
    show();
    raise();
    activateWindow();
    return true;
}

QString HelpWindow::CurrentPage() const {
    return QFileInfo(browser_->source().path()).fileName();
}

} // namespace zeb40
