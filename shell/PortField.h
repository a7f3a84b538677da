#pragma once
// The main window's port field: an editable combo box whose list is rebuilt
// from the PC's serial ports every time it drops down, and which reports when
// it loses the keyboard focus.

#include "link/discovery/PortDiscovery.h"

#include <QComboBox>

namespace zeb40 {

class PortField : public QComboBox {
    Q_OBJECT
  public:
    explicit PortField(QWidget* parent = nullptr);

    // Where the ports come from; tests hand in a fixed list.
    void SetPortSource(PortSource source) { source_ = std::move(source); }

    void showPopup() override;

  signals:
    void focusLost();

  protected:
    void focusOutEvent(QFocusEvent* event) override;

  private:
    PortSource source_ = SystemSerialPorts;
};

// Rebuilds the list from the present ports and picks again the entry that
// begins with the text the field had; when none does the field is left empty.
void RefillPortList(QComboBox& field, const PortSource& source);

} // namespace zeb40
