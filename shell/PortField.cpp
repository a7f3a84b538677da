#include "shell/PortField.h"

#include "link/discovery/PortList.h"

#include <QFocusEvent>
#include <QLineEdit>

namespace zeb40 {

PortField::PortField(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // Typed names stay in the field; the list holds only what was found.
    setInsertPolicy(QComboBox::NoInsert);
    addItems({QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
              QStringLiteral("COM4")});
    setCurrentIndex(-1);
    setEditText(QString());
}

void PortField::showPopup() {
    RefillPortList(*this, source_);
    QComboBox::showPopup();
}

void PortField::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    // The field's own list taking the focus is not the field losing it.
    if (event->reason() != Qt::PopupFocusReason)
        emit focusLost();
}

void RefillPortList(QComboBox& field, const PortSource& source) {
    const std::string remembered = field.currentText().toStdString();
    field.clear();
    field.setEditText(QString());
    std::vector<unsigned> numbers;
    std::vector<std::string> descriptions;
    std::vector<std::string> entries;
    if (EnumerateSerialPorts(numbers, descriptions, source))
        entries = SortedPortEntries(numbers, descriptions);
    for (const std::string& entry : entries)
        field.addItem(QString::fromStdString(entry));
    const int selected = ReselectedEntry(entries, remembered);
    field.setCurrentIndex(selected);
    if (selected < 0)
        field.setEditText(QString());
}

} // namespace zeb40
