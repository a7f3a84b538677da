// Renders the windows to PNG files in the temporary folder, so their look can
// be checked by eye, and checks that nothing inside them is cut off.

#include "shell/AboutBox.h"
#include "shell/HelpWindow.h"
#include "shell/UserCodeDialog.h"
#include "tests/shell/MainWindowFixture.h"

#include <QDir>
#include <QLabel>

namespace zeb40 {
namespace {

void Render(QWidget& window, const QString& name) {
    window.show();
    const QImage image = window.grab().toImage();
    EXPECT_FALSE(image.isNull());
    image.save(QDir::temp().filePath(name));
}

// Every label shows its text in full.
void ExpectNothingClipped(const QWidget& window) {
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        const QSize needed =
            label->fontMetrics()
                .boundingRect(QRect(0, 0, 10000, 10000), Qt::TextExpandTabs | Qt::TextShowMnemonic,
                              label->text())
                .size();
        EXPECT_GE(label->width(), needed.width()) << label->text().toStdString();
        EXPECT_GE(label->height(), needed.height()) << label->text().toStdString();
    }
}

class WindowLookTest : public test::MainWindowFixture {};

TEST_F(WindowLookTest, MainWindowConnectedToAFullyEquippedUnit) {
    unit.Configure("option1", "FFFFFFFF");
    unit.Configure("option2", "FFFFFFFF");
    unit.Configure("identifier", "12345678");
    ConnectToUnit();
    Render(*window, "zeb40-main-window.png");
    ExpectNothingClipped(*window);
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
}

TEST_F(WindowLookTest, DisconnectedMainWindowAndHelp) {
    Render(*window, "zeb40-main-window-disconnected.png");
    window->ShowHelp("main-window");
    ASSERT_NE(window->Help(), nullptr);
    Render(*window->Help(), "zeb40-help.png");
}

TEST_F(WindowLookTest, AboutBoxAndUserCodeWindow) {
    AboutBox about;
    Render(about, "zeb40-about.png");
    ExpectNothingClipped(about);
    UserCodeDialog userCode(link, "COM2", op);
    Render(userCode, "zeb40-user-code.png");
    ExpectNothingClipped(userCode);
}

} // namespace
} // namespace zeb40
