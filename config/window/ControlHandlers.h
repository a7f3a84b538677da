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

class ControlHandlers : public QObject {
    Q_OBJECT
  public:
    ControlHandlers(const ConfigControls& controls, HeldValues& held, ConfigEditor& editor,
                    ConfigState& config, UnitLink& link, QObject* parent = nullptr);

  signals:
    // A handler has ended: failed when a write or the Jam did not get
    // through, reported when the reorganisation question already told the
    // operator.
    void commandEnded(bool failed, bool reported);

  protected:
    // Edit fields report the loss of the focus here.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Connects the setting's widgets: a combo's confirmed selection, a check
    // box's click, an edit field's loss of the focus, a spin's move.
    void Bind(const SettingBinding& setting);
    // The operator changed a setting; its encoding turns the control into
    // the item's value and shows what SetItem left.
    void OnChange(const SettingBinding& setting);
    void OnNormChange();
    void OnUserBitsLeft();
    bool OnSpin(const SettingBinding& setting, int position, int change);
    void OnPositionButton(const PositionButton& button);
    void OnJam();
    // SetItem and the item count with the window's choices; the window shows
    // what they report.
    bool SetItem(int item, int& value);
    void RefreshItemCount();
    // Tells the window how the handler's writes went, once per handler.
    void EndCommand();

    const ConfigControls& controls_;
    HeldValues& held_;
    ConfigEditor& editor_;
    ConfigState& config_;
    UnitLink& link_;
    std::map<QObject*, const SettingBinding*> fields_; // edit field -> its setting
    // Set while a handler runs: the focus moves its messages and failed
    // fields cause are not the operator leaving a field.
    bool handling_ = false;
    // What the writes of the running handler met.
    bool writeFailed_ = false;
    bool reorganizeOffered_ = false;
};

} // namespace zeb40
