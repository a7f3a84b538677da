#include "config/window/EditorState.h"

namespace zeb40 {

EditChoices CurrentChoices(const ConfigControls& controls) {
    return {controls.Check(control::AutoApply)->isChecked(),
            controls.Setting(item::InsertSize).widgets.combo->currentIndex()};
}

void ShowMemoryReport(const ConfigControls& controls, HeldValues& held,
                      const MemoryReport& report) {
    if (report.count)
        held.SetItemsText(ItemsAvailableText(*report.count));
    // Nothing but a reorganisation disables Reorganize.
    QPushButton* reorganize = controls.Button(control::Reorganize);
    if (report.slotsInUse && !reorganize->isEnabled())
        reorganize->setEnabled(true);
    if (report.reorganized) {
        controls.Button(control::Apply)->setEnabled(true);
        controls.Check(control::AutoApply)->setEnabled(true);
        reorganize->setEnabled(false);
    }
    if (report.count)
        held.Show();
}

void ShowItemCount(ConfigEditor& editor, const ConfigControls& controls, HeldValues& held) {
    MemoryReport report;
    editor.RefreshItemCount(report);
    ShowMemoryReport(controls, held, report);
}

} // namespace zeb40
