#include "config/window/ConfigLayout.h"

#include "config/window/ControlItems.h"
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

    void Combo(int id) {
        auto* combo = new QComboBox;
        combo->setObjectName(Name("combo", id));
        for (std::string_view entry : ItemOfControl(id).list)
            combo->addItem(QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size())));
        controls_.combos[id] = combo;
        // A combo box would otherwise be named by its current entry.
        const std::string_view label = ItemOfControl(id).label;
        combo->setAccessibleName(
            QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
        Row(label, combo);
    }

    void NumberPair(int editId, int spinId, Qt::Orientation orientation = Qt::Vertical) {
        auto* edit = NewEdit(editId, NumberFieldDigits);
        auto* spin = new RefusableSpinBox(orientation);
        spin->setObjectName(Name("spin", spinId));
        spin->SetBuddy(edit);
        controls_.spins[spinId] = spin;
        auto* pair = new QHBoxLayout;
        pair->setSpacing(0);
        pair->addWidget(edit);
        pair->addWidget(spin);
        pair->addStretch();
        const std::string_view label = ItemOfControl(editId).label;
        spin->SetAccessibleNames(
            QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
        Row(label, pair, edit);
    }

    // Four digit-only fields, hours : minutes : seconds : frames.
    void Time(const char* label, const std::array<int, 4>& ids) {
        auto* fields = new QHBoxLayout;
        fields->setSpacing(2);
        QLineEdit* first = nullptr;
        for (std::size_t i = 0; i < ids.size(); ++i) {
            if (i > 0)
                fields->addWidget(new QLabel(":"));
            auto* edit = NewEdit(ids[i], TimeFieldDigits);
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

    QCheckBox* Check(int id, const char* text) {
        auto* box = new QCheckBox(text);
        box->setObjectName(Name("check", id));
        // The text stands on the left of the box.
        box->setLayoutDirection(Qt::RightToLeft);
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
    QLineEdit* NewEdit(int id, int digits) {
        auto* edit = new QLineEdit;
        edit->setObjectName(Name("edit", id));
        const int textWidth = edit->fontMetrics().horizontalAdvance(QString(digits, '0'));
        edit->setFixedWidth(std::max(edit->minimumSizeHint().width(), textWidth + 12));
        controls_.edits[id] = edit;
        return edit;
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
        auto* text =
            new QLabel(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
        text->setBuddy(buddy);
        return text;
    }

    ConfigControls& controls_;
    QGroupBox* box_;
    QGridLayout* grid_;
};

QGroupBox* GenerateGroup(ConfigControls& controls) {
    GroupForm form(" &Generate ", controls);
    for (int id : {1009, 1010, 1011, 1012, 1043, 1014})
        form.Combo(id);
    form.NumberPair(1015, 1018);
    form.NumberPair(1017, 1020);
    form.Time("Time", {control::GenerateHours, control::GenerateMinutes, control::GenerateSeconds,
                       control::GenerateFrames});
    QLineEdit* userBits = form.TextField("User", control::UserBits, UserBitsDigits);
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
    for (int id : {1023, 1028, 1029})
        form.Combo(id);
    form.NumberPair(1030, 1031);
    form.NumberPair(1032, 1033);
    QCheckBox* timecode = FitForTimecode(form.Check(control::ReaderTimecode, "Timecode"));
    timecode->setAccessibleName("Read Timecode");
    form.CheckRow(timecode);
    return form.Box();
}

QGroupBox* JamGroup(ConfigControls& controls) {
    GroupForm form(" &Jam ", controls);
    form.Combo(1013);
    form.Combo(1016);
    form.NumberPair(1021, 1022);
    form.CheckRow(form.Check(1044, "Use Offset"), form.Button(control::Jam, "Ja&m"));
    form.Time("Offset", {1050, 1051, 1052, 1053});
    return form.Box();
}

QGroupBox* InsertGroup(ConfigControls& controls) {
    GroupForm form(" &Insert ", controls);
    form.Combo(1034);
    form.Combo(control::Size);
    form.Combo(1036);
    form.CheckRow(form.Check(1026, "Hd. Sw. Filter"));
    return form.Box();
}

QGroupBox* PositionGroup(ConfigControls& controls) {
    GroupForm form(" &Position ", controls);
    form.NumberPair(control::Horizontal, control::HorizontalSpin, Qt::Horizontal);
    form.NumberPair(control::Vertical, control::VerticalSpin);
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
            form.Combo(description.controlId);
    }
    return form.Box();
}

QGroupBox* DisplayGroup(ConfigControls& controls) {
    GroupForm form(" &Display ", controls);
    form.Combo(1049);
    form.NumberPair(1075, 1076);
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
    return controls;
}

} // namespace zeb40
