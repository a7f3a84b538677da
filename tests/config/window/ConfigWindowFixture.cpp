#include "ConfigWindowFixture.h"

#include <QCoreApplication>
#include <QFocusEvent>

namespace zeb40::test {

void ConfigWindowFixture::SetUp() {
    EmulatorFixture::SetUp();
    settings = std::make_unique<QSettings>(QString::fromStdString(folder.File("settings.ini")),
                                           QSettings::IniFormat);
    SetUnitCapacity(255, 5);
    ASSERT_TRUE(OpenLink());
}

void ConfigWindowFixture::TearDown() {
    dialog.reset();
    EmulatorFixture::TearDown();
}

ConfigDialog& ConfigWindowFixture::Open() {
    dialog = std::make_unique<ConfigDialog>(link, config, op, *settings);
    unit.ClearReceived();
    return *dialog;
}

std::uint8_t ConfigWindowFixture::UnitItem(int item) {
    auto lock = unit.Lock();
    return unit.State().items[static_cast<std::size_t>(item)];
}

void ConfigWindowFixture::SetUnitCapacity(int capacity, int inUse) {
    auto lock = unit.Lock();
    auto* memory = unit.Find<sim::ConfigMemory>();
    memory->SetCapacity(capacity);
    memory->SetInUse(inUse);
    memory->SetReorganizeMs(50);
}

std::vector<std::string> ConfigWindowFixture::Sent() {
    std::vector<std::string> sent;
    for (const auto& text : ReceivedTexts()) {
        if (text != "e95")
            sent.push_back(text);
    }
    return sent;
}

void ConfigWindowFixture::Choose(int comboId, int index) {
    Combo(comboId)->setCurrentIndex(index);
    emit Combo(comboId)->activated(index);
}

void ConfigWindowFixture::Enter(int editId, const QString& text) {
    Edit(editId)->setText(text);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(Edit(editId), &leave);
}

void ConfigWindowFixture::AutoApplyOn() {
    Check(control::AutoApply)->setChecked(true);
}

} // namespace zeb40::test
