#pragma once
// What happens when the operator changes a control of the configuration
// window: each control's state becomes one item's value and goes through
// SetItem. Combos answer a confirmed selection, edit fields the loss of the
// focus, spins a move about to happen, check boxes and buttons a click.

#include "config/ConfigEditor.h"
#include "config/window/ConfigControls.h"
#include "config/window/HeldValues.h"
#include "config/window/PositionButtons.h"

#include <QObject>
#include <map>

namespace zeb40 {

struct ItemDescription;

class ControlHandlers : public QObject {
    Q_OBJECT
  public:
    ControlHandlers(const ConfigControls& controls, HeldValues& held, ConfigEditor& editor,
                    ConfigState& config, UnitLink& link, Operator& op, QObject* parent = nullptr);

  protected:
    // Edit fields report the loss of the focus here.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Bind(const ItemDescription& description);
    void OnCombo(const ItemDescription& description);
    void OnSourceCombo(const ItemDescription& description);
    void OnNormChange();
    void OnField(const ItemDescription& description);
    void OnBcdField(const ItemDescription& description);
    void OnFieldLeft(int controlId);
    bool OnSpin(const ItemDescription& description, int position, int change);
    void OnPositionButton(const PositionButton& button);
    void ApplyInsertPosition();
    void OnJam();
    // Clamps a held value and stores it straight into the table when it changed.
    void Rebound(int controlId, int item, int minimum, int maximum, bool bcd);

    const ConfigControls& controls_;
    HeldValues& held_;
    ConfigEditor& editor_;
    ConfigState& config_;
    UnitLink& link_;
    Operator& op_;
    std::map<QObject*, int> fieldIds_; // edit field -> control id
    // Set while a handler runs: the focus moves its messages and failed
    // fields cause are not the operator leaving a field.
    bool handling_ = false;
};

} // namespace zeb40
