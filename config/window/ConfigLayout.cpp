#include "config/window/ConfigLayout.h"

#include "config/window/PositionButtons.h"
#include "config/window/RefusableSpinBox.h"
#include "shell/shared/LogoPicture.h"

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace zeb40 {
namespace {

// Field widths in digits.
constexpr int NumberFieldDigits = 3;
constexpr int TimeFieldDigits = 2;
constexpr int UserBitsDigits = 8;
constexpr const char* TimeParts[] = {"hours", "minutes", "seconds", "frames"};

// A Timecode box is as wide as its running caption from the start, so the
// window keeps its size when the caption begins to show.
QCheckBox* FitForTimecode(QCheckBox* box) {
    QChar widest = '0';
    for (QChar digit : QString("0123456789ABCDEF")) {
        if (box->fontMetrics().horizontalAdvance(digit) >
            box->fontMetrics().horizontalAdvance(widest))
            widest = digit;
    }
    const QString caption = box->text();
    box->setText(QString("%1:%1:%1:%1  %2").arg(QString(2, widest), QString(8, widest)));
    box->setMinimumWidth(box->sizeHint().width());
    box->setText(caption);
    return box;
}

QString Name(const char* kind, int id) {
    return QString("%1%2").arg(kind).arg(id);
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// One group box: labels on the left, controls on the right.
class GroupForm {
  public:
    GroupForm(const char* title, ConfigControls& controls)
        : controls_(controls), box_(new QGroupBox(title)), grid_(new QGridLayout(box_)) {
        grid_->setColumnStretch(1, 1);
        grid_->setVerticalSpacing(4);
    }
    // The box belongs to the window it is laid into, not to this builder.
    GroupForm(const GroupForm&) = delete;
    GroupForm& operator=(const GroupForm&) = delete;
    QGroupBox* Box() const { return box_; }

    // A list setting.
    void Combo(std::string_view setting) {
        const SettingControlIds& ids = IdsOf(setting);
        auto* combo = new QComboBox;
        combo->setObjectName(Name("combo", ids.control));
        for (std::string_view entry : Description(setting).list)
            combo->addItem(Text(entry));
        controls_.settings.WidgetsOf(setting).combo = combo;
        // A combo box would otherwise be named by its current entry.
        const std::string_view label = Description(setting).label;
        combo->setAccessibleName(Text(label));
        Row(label, combo);
    }

    // A number setting: its field with the arrows that step it.
    void NumberPair(std::string_view setting, Qt::Orientation orientation = Qt::Vertical) {
        const SettingControlIds& ids = IdsOf(setting);
        auto* edit = NewEdit(ids.control, NumberFieldDigits);
        auto* spin = new RefusableSpinBox(orientation);
        spin->setObjectName(Name("spin", ids.spin));
        spin->SetBuddy(edit);
        SettingWidgets& widgets = controls_.settings.WidgetsOf(setting);
        widgets.edit = edit;
        widgets.spin = spin;
        auto* pair = new QHBoxLayout;
        pair->setSpacing(0);
        pair->addWidget(edit);
        pair->addWidget(spin);
        pair->addStretch();
        const std::string_view label = Description(setting).label;
        spin->SetAccessibleNames(Text(label));
        Row(label, pair, edit);
    }

    // Four time settings in digit-only fields, hours : minutes : seconds : frames.
    void Time(const char* label, const std::array<std::string_view, 4>& settings) {
        auto* fields = new QHBoxLayout;
        fields->setSpacing(2);
        QLineEdit* first = nullptr;
        for (std::size_t i = 0; i < settings.size(); ++i) {
            if (i > 0)
                fields->addWidget(new QLabel(":"));
            auto* edit = NewEdit(IdsOf(settings[i]).control, TimeFieldDigits);
            controls_.settings.WidgetsOf(settings[i]).edit = edit;
            edit->setAlignment(Qt::AlignCenter);
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
            // Four fields behind one label: each says which part it holds.
            edit->setAccessibleName(QString("%1 %2").arg(label, TimeParts[i]));
            fields->addWidget(edit);
            if (!first)
                first = edit;
        }
        fields->addStretch();
        Row(label, fields, first);
    }

    QLineEdit* TextField(const char* label, int id, int digits) {
        auto* edit = NewEdit(id, digits);
        Row(label, edit, Qt::AlignLeft);
        return edit;
    }

    // A check setting, captioned with its label.
    QCheckBox* Check(std::string_view setting) {
        QCheckBox* box = NewCheck(IdsOf(setting).control, Text(Description(setting).label));
        controls_.settings.WidgetsOf(setting).check = box;
        return box;
    }

    // One of the window's own check boxes.
    QCheckBox* Check(int id, const char* text) {
        QCheckBox* box = NewCheck(id, text);
        controls_.checks[id] = box;
        return box;
    }

    QPushButton* Button(int id, const char* text) {
        auto* button = new QPushButton(text);
        button->setObjectName(Name("button", id));
        controls_.buttons[id] = button;
        return button;
    }

    // A check box (and maybe a button) on a row of its own.
    void CheckRow(QCheckBox* box, QPushButton* button = nullptr) {
        const int row = grid_->rowCount();
        auto* line = new QHBoxLayout;
        line->addWidget(box);
        line->addStretch();
        if (button)
            line->addWidget(button);
        grid_->addLayout(line, row, 0, 1, 2);
    }

    void Span(QLayout* layout) { grid_->addLayout(layout, grid_->rowCount(), 0, 1, 2); }

  private:
    static const ItemDescription& Description(std::string_view setting) {
        const ItemDescription* description = FindItemByName(setting);
        if (!description)
            throw std::logic_error("no setting named " + std::string(setting));
        return *description;
    }
    static const SettingControlIds& IdsOf(std::string_view setting) {
        return SettingControlIdsOf(Description(setting).item);
    }

    static QLineEdit* NewEdit(int id, int digits) {
        auto* edit = new QLineEdit;
        edit->setObjectName(Name("edit", id));
        const int textWidth = edit->fontMetrics().horizontalAdvance(QString(digits, '0'));
        edit->setFixedWidth(std::max(edit->minimumSizeHint().width(), textWidth + 12));
        return edit;
    }

    static QCheckBox* NewCheck(int id, const QString& text) {
        auto* box = new QCheckBox(text);
        box->setObjectName(Name("check", id));
        // The text stands on the left of the box.
        box->setLayoutDirection(Qt::RightToLeft);
        return box;
    }

    // The label names its control for assistive tools.
    void Row(std::string_view label, QWidget* widget, Qt::Alignment alignment = {}) {
        const int row = grid_->rowCount();
        grid_->addWidget(LabelText(label, widget), row, 0);
        grid_->addWidget(widget, row, 1, alignment);
    }
    void Row(std::string_view label, QLayout* layout, QWidget* named) {
        const int row = grid_->rowCount();
        grid_->addWidget(LabelText(label, named), row, 0);
        grid_->addLayout(layout, row, 1);
    }
    static QLabel* LabelText(std::string_view label, QWidget* buddy) {
        auto* text = new QLabel(Text(label));
        text->setBuddy(buddy);
        return text;
    }

    ConfigControls& controls_;
    QGroupBox* box_;
    QGridLayout* grid_;
};

QGroupBox* GenerateGroup(ConfigControls& controls) {
    GroupForm form(" &Generate ", controls);
    for (std::string_view setting :
         {"generate.frame-rate", "generate.stop-mode", "generate.sync", "generate.ltc-gain",
          "generate.ltc-edge", "generate.vitc-mode"})
        form.Combo(setting);
    form.NumberPair("generate.vitc-line-1");
    form.NumberPair("generate.vitc-line-2");
    form.Time("Time", {"generate.time-hours", "generate.time-minutes", "generate.time-seconds",
                       "generate.time-frames"});
    QLineEdit* userBits = form.TextField("User", control::UserBits, UserBitsDigits);
    controls.userBits = userBits;
    userBits->setMaxLength(UserBitsDigits);
    userBits->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9A-Fa-f]*"), userBits));
    QCheckBox* timecode = FitForTimecode(form.Check(control::GeneratorTimecode, "Timecode"));
    // The caption shows the running time; the name stays.
    timecode->setAccessibleName("Generate Timecode");
    form.CheckRow(timecode, form.Button(control::SetGenerator, "Set"));
    return form.Box();
}

QGroupBox* ReadGroup(ConfigControls& controls) {
    GroupForm form(" &Read ", controls);
    for (std::string_view setting : {"read.frame-rate", "read.source", "read.vitc-mode"})
        form.Combo(setting);
    form.NumberPair("read.vitc-line-1");
    form.NumberPair("read.vitc-line-2");
    QCheckBox* timecode = FitForTimecode(form.Check(control::ReaderTimecode, "Timecode"));
    timecode->setAccessibleName("Read Timecode");
    form.CheckRow(timecode);
    return form.Box();
}

QGroupBox* JamGroup(ConfigControls& controls) {
    GroupForm form(" &Jam ", controls);
    form.Combo("jam.mode");
    form.Combo("jam.values");
    form.NumberPair("jam.wheel");
    form.CheckRow(form.Check("jam.use-offset"), form.Button(control::Jam, "Ja&m"));
    form.Time("Offset", {"jam.offset-hours", "jam.offset-minutes", "jam.offset-seconds",
                         "jam.offset-frames"});
    return form.Box();
}

QGroupBox* InsertGroup(ConfigControls& controls) {
    GroupForm form(" &Insert ", controls);
    form.Combo("insert.source");
    form.Combo("insert.size");
    form.Combo("insert.style");
    form.CheckRow(form.Check("insert.hd-sw-filter"));
    return form.Box();
}

QGroupBox* PositionGroup(ConfigControls& controls) {
    GroupForm form(" &Position ", controls);
    form.NumberPair("position.horizontal", Qt::Horizontal);
    form.NumberPair("position.vertical");
    auto* square = new QGridLayout;
    square->setSpacing(2);
    for (const PositionButton& place : PositionButtons) {
        QPushButton* button = form.Button(place.controlId, "");
        button->setIcon(PositionIcon(place));
        button->setIconSize(PlainFramePicture().size());
        button->setToolTip(place.label);
        button->setAccessibleName(place.label);
        square->addWidget(button, place.row, place.column);
    }
    auto* centre = new QLabel;
    centre->setAccessibleName("Picture");
    centre->setPixmap(PlainFramePicture());
    centre->setAlignment(Qt::AlignCenter);
    square->addWidget(centre, 1, 1);
    auto* line = new QHBoxLayout;
    line->addStretch();
    line->addLayout(square);
    line->addStretch();
    form.Span(line);
    return form.Box();
}

// A group of nothing but combos: the table's settings of that group, in item order.
QGroupBox* ComboGroup(const char* title, std::string_view group, ConfigControls& controls) {
    GroupForm form(title, controls);
    for (const ItemDescription& description : SettingItems()) {
        if (description.group == group)
            form.Combo(description.name);
    }
    return form.Box();
}

QGroupBox* DisplayGroup(ConfigControls& controls) {
    GroupForm form(" &Display ", controls);
    form.Combo("display.source");
    form.NumberPair("display.bright");
    return form.Box();
}

QVBoxLayout* Column(std::initializer_list<QWidget*> groups) {
    auto* column = new QVBoxLayout;
    for (QWidget* group : groups)
        column->addWidget(group);
    column->addStretch();
    return column;
}

QVBoxLayout* ButtonColumn(ConfigControls& controls) {
    auto* column = new QVBoxLayout;
    auto addButton = [&](int id, const char* text) {
        auto* button = new QPushButton(text);
        button->setObjectName(Name("button", id));
        controls.buttons[id] = button;
        column->addWidget(button);
        return button;
    };
    QPushButton* apply = addButton(control::Apply, "&Apply");
    apply->setDefault(true);

    auto* autoApply = new QCheckBox("A&uto Apply");
    autoApply->setObjectName(Name("check", control::AutoApply));
    autoApply->setLayoutDirection(Qt::RightToLeft);
    controls.checks[control::AutoApply] = autoApply;
    column->addWidget(autoApply, 0, Qt::AlignRight);

    controls.itemsText = new QLabel;
    controls.itemsText->setObjectName(Name("text", control::ItemsText));
    controls.itemsText->setAccessibleName("Items");
    controls.itemsText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Wide enough for any count, so the column keeps its width once it shows.
    controls.itemsText->setMinimumWidth(
        controls.itemsText->fontMetrics().horizontalAdvance("255 items available"));
    column->addWidget(controls.itemsText);
    column->addSpacing(8);

    addButton(control::Reorganize, "Re&organize");
    addButton(control::SetClock, "Set &Clock");
    addButton(control::SaveUserProfile, "Sa&ve User Profile");
    column->addSpacing(8);
    addButton(control::Close, "Close");
    addButton(control::Help, "&Help");
    column->addStretch();

    auto* logo = new LogoPicture(LogoPicture::TallLogo());
    logo->setObjectName(Name("logo", control::Logo));
    logo->setAccessibleName("VELOR logo");
    column->addWidget(logo, 0, Qt::AlignHCenter);
    return column;
}

// All groups in view when the screen has room; otherwise the window takes
// what the screen offers (leaving room for its frame) and the groups scroll.
void FitGroupsToScreen(QDialog& dialog, QScrollArea& scroll, QWidget& groups) {
    constexpr int FrameAllowance = 48;
    const QSize wanted = groups.sizeHint();
    const QSize screen = dialog.screen()->availableGeometry().size();
    const int buttonsWidth = dialog.layout()->itemAt(1)->sizeHint().width();
    const QMargins margins = dialog.layout()->contentsMargins();
    const int roomWide = screen.width() - buttonsWidth - margins.left() - margins.right() -
                         dialog.layout()->spacing() - FrameAllowance / 2;
    const int roomHigh = screen.height() - margins.top() - margins.bottom() - FrameAllowance;
    const int scrollBar = scroll.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    int width = wanted.width();
    int height = wanted.height();
    if (height > roomHigh) {
        height = roomHigh;
        width += scrollBar;
    }
    if (width > roomWide) {
        width = roomWide;
        height = std::min(height + scrollBar, roomHigh);
    }
    scroll.setMinimumSize(std::max(width, 0), std::max(height, 0));
}

// A setting added to the table without a place in the window would be lost
// from it without a word.
void CheckEverySettingPlaced(const SettingBindings& settings) {
    for (const SettingBinding& setting : settings) {
        const SettingWidgets& widgets = setting.widgets;
        if (!widgets.combo && !widgets.edit && !widgets.check)
            throw std::logic_error("no place in the window for " +
                                   std::string(setting.description->name));
    }
}

} // namespace

ConfigControls BuildConfigLayout(QDialog& dialog) {
    ConfigControls controls;
    auto* groups = new QWidget;
    auto* columns = new QHBoxLayout(groups);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->addLayout(Column({GenerateGroup(controls), ReadGroup(controls)}));
    columns->addLayout(
        Column({JamGroup(controls), InsertGroup(controls), PositionGroup(controls)}));
    columns->addLayout(
        Column({ComboGroup(" &Serial ", "Serial", controls),
                ComboGroup("Real-Time", "Real-Time", controls),
                ComboGroup(" G&eneral ", "General", controls), DisplayGroup(controls),
                ComboGroup(" &Function Keys ", "Function Keys", controls)}));

    // On a small screen the groups scroll; the button column stays in view.
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(groups);
    auto* window = new QHBoxLayout(&dialog);
    window->addWidget(scroll, 1);
    window->addLayout(ButtonColumn(controls));
    FitGroupsToScreen(dialog, *scroll, *groups);
    CheckEverySettingPlaced(controls.settings);
    return controls;
}

} // namespace zeb40
