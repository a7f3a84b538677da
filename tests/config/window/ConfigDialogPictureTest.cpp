#include "ConfigWindowFixture.h"

#include <QDir>
#include <QPixmap>

namespace zeb40::test {
namespace {

class ConfigDialogPictureTest : public ConfigWindowFixture {
  protected:
    // Every control lies wholly inside the window and inside its group.
    void ExpectNothingClipped() {
        const QRect window = dialog->rect();
        std::vector<QWidget*> widgets;
        const auto& controls = dialog->Controls();
        for (const SettingBinding& setting : controls.settings) {
            for (QWidget* w : std::initializer_list<QWidget*>{
                     setting.widgets.combo, setting.widgets.edit, setting.widgets.check,
                     reinterpret_cast<QWidget*>(setting.widgets.spin)}) {
                if (w)
                    widgets.push_back(w);
            }
        }
        for (const auto& [id, w] : controls.checks)
            widgets.push_back(w);
        for (const auto& [id, w] : controls.buttons)
            widgets.push_back(w);
        widgets.push_back(controls.userBits);
        widgets.push_back(controls.itemsText);
        for (QWidget* widget : widgets) {
            EXPECT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
            const QRect placed(widget->mapTo(dialog.get(), QPoint(0, 0)), widget->size());
            EXPECT_TRUE(window.contains(placed)) << widget->objectName().toStdString();
            EXPECT_GE(widget->width(), widget->minimumSizeHint().width())
                << widget->objectName().toStdString();
        }
    }

    void Save(const char* name) {
        const QString path = QDir::temp().filePath(name);
        EXPECT_TRUE(dialog->grab().save(path));
    }
};

TEST_F(ConfigDialogPictureTest, ConnectedWindowShowsEveryControl) {
    Open();
    Check(control::ReaderTimecode)->setText("10:20:30:04  0000ABCD");
    Check(control::GeneratorTimecode)->setText("23:59:58:24  000012AB");
    dialog->show();
    ExpectNothingClipped();
    Save("zeb40-config-connected.png");
}

TEST_F(ConfigDialogPictureTest, UnconnectedWindowShowsEveryControl) {
    link.Close();
    Open();
    dialog->show();
    ExpectNothingClipped();
    Save("zeb40-config-unconnected.png");
}

} // namespace
} // namespace zeb40::test
