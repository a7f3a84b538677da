#include "files/window/CMyFileDialog.h"

#include "tests/support/EmulatorFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <fstream>
#include <functional>

namespace zeb40 {
namespace {

const std::vector<FileFilter> ConfigFilters{{"ZEB40 Config Files (*.zeb)", "*.zeb"},
                                            {"All Files (*.*)", "*.*"}};

// Runs the step once the dialog (or a box it opened) is the active modal
// window.
void WhenModal(std::function<void(QWidget*)> step) {
    QTimer::singleShot(0, [step] { step(QApplication::activeModalWidget()); });
}

void TypeAndAccept(QWidget* dialog, const QString& name) {
    auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
    ASSERT_NE(fileDialog, nullptr);
    auto* field = fileDialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(field, nullptr);
    field->setText(name);
    // Pressing the dialog's accept button, as the operator does.
    static_cast<QDialog*>(fileDialog)->accept();
}

class CMyFileDialogTest : public ::testing::Test {
  protected:
    QWidget owner;
    test::TempDir folder;
    QString Folder() const { return QString::fromStdString(folder.Path()); }
};

TEST(CMyFileDialogTitle, NameWithoutFolderAndLastExtension) {
    EXPECT_EQ(CMyFileDialog::TitleOfPath("/data/studio.zeb"), "studio");
    EXPECT_EQ(CMyFileDialog::TitleOfPath("/data/studio.a.zeb"), "studio.a");
    EXPECT_EQ(CMyFileDialog::TitleOfPath("/data.d/studio"), "studio");
}

TEST(CMyFileDialogFilter, AllFilesMeansEveryFile) {
    EXPECT_EQ(CMyFileDialog::QtFilter(ConfigFilters[0]), "ZEB40 Config Files (*.zeb)");
    EXPECT_EQ(CMyFileDialog::QtFilter(ConfigFilters[1]), "All Files (*)");
}

TEST_F(CMyFileDialogTest, SaveAppendsTheDefaultExtensionAndGivesTheOwnerBack) {
    CMyFileDialog dialog(false, "zeb", QString(), true, ConfigFilters, &owner);
    dialog.setDirectory(Folder());
    owner.show();
    bool ownerDisabled = false;
    WhenModal([&](QWidget* modal) {
        ownerDisabled = !owner.isEnabled();
        TypeAndAccept(modal, "studio");
    });
    ASSERT_EQ(dialog.DoModal(), 1);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_EQ(dialog.PathName(), Folder() + "/studio.zeb");
    EXPECT_EQ(dialog.FileTitle(), "studio");
    EXPECT_EQ(dialog.selectedNameFilter(), "ZEB40 Config Files (*.zeb)");
}

TEST_F(CMyFileDialogTest, SaveOverAnExistingFileAsksFirst) {
    std::ofstream(folder.File("studio.zeb")) << "x";
    CMyFileDialog dialog(false, "zeb", QString(), true, ConfigFilters, &owner);
    dialog.setDirectory(Folder());
    QString question;
    WhenModal([&](QWidget* modal) {
        // The overwrite question is answered No, then the dialog cancelled.
        WhenModal([&, modal](QWidget* box) {
            if (auto* message = qobject_cast<QMessageBox*>(box)) {
                question = message->text();
                message->button(QMessageBox::No)->click();
            }
            QTimer::singleShot(0, modal, [modal] { qobject_cast<QDialog*>(modal)->reject(); });
        });
        TypeAndAccept(modal, "studio.zeb");
    });
    EXPECT_EQ(dialog.DoModal(), 2);
    EXPECT_TRUE(question.contains("studio.zeb")) << question.toStdString();
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(CMyFileDialogTest, OpenChoosesAnExistingFile) {
    std::ofstream(folder.File("old.zeb")) << "x";
    CMyFileDialog dialog(true, "zeb", QString(), false, ConfigFilters, &owner);
    dialog.setDirectory(Folder());
    WhenModal([](QWidget* modal) { TypeAndAccept(modal, "old.zeb"); });
    ASSERT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(dialog.PathName(), Folder() + "/old.zeb");
    EXPECT_EQ(dialog.FileTitle(), "old");

    WhenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_EQ(dialog.DoModal(), 2);
}

TEST_F(CMyFileDialogTest, OpensBigEnoughForItsColumns) {
    CMyFileDialog dialog(true, "zeb", QString(), false, ConfigFilters, &owner);
    const QFontMetrics metrics = dialog.fontMetrics();
    EXPECT_GE(dialog.width(), 100 * metrics.averageCharWidth());
    EXPECT_GE(dialog.height(), 30 * metrics.height());
}

} // namespace
} // namespace zeb40
