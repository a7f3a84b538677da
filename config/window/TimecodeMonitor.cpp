#include "config/window/TimecodeMonitor.h"

#include "config/TimecodeCommands.h"

#include <QCheckBox>

namespace zeb40 {
namespace {

constexpr int PollIntervalMs = 200;
constexpr const char* UncheckedCaption = "Time Code";

// Which unit the next tick polls when both boxes are checked; it carries over
// from one opening of the window to the next.
int alternation = 0;

} // namespace

TimecodeMonitor::TimecodeMonitor(UnitLink& link, QCheckBox* reader, QCheckBox* generator,
                                 QObject* parent)
    : QObject(parent), link_(link), reader_(reader), generator_(generator) {
    timer_.setInterval(PollIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &TimecodeMonitor::Tick);
    connect(reader_, &QCheckBox::clicked, this, [this] { OnBoxClicked(reader_, generator_); });
    connect(generator_, &QCheckBox::clicked, this, [this] { OnBoxClicked(generator_, reader_); });
}

void TimecodeMonitor::OnBoxClicked(QCheckBox* box, QCheckBox* other) {
    if (box->isChecked()) {
        if (!other->isChecked())
            timer_.start();
        return;
    }
    box->setText(UncheckedCaption);
    if (!other->isChecked())
        timer_.stop();
}

void TimecodeMonitor::Stop() {
    timer_.stop();
    for (QCheckBox* box : {reader_, generator_}) {
        box->setChecked(false);
        box->setText(UncheckedCaption);
    }
}

void TimecodeMonitor::Tick() {
    // A vanished unit would fail every poll at once, for ever; stop instead.
    if (link_.Lost()) {
        Stop();
        emit linkLost();
        return;
    }
    bool pollReader = reader_->isChecked();
    bool pollGenerator = generator_->isChecked();
    if (pollReader && pollGenerator) {
        if (alternation != 0)
            pollReader = false;
        else
            pollGenerator = false;
        alternation = alternation == 0 ? 1 : 0;
    }
    if (pollReader)
        Poll(TimecodeSource::Reader, reader_);
    if (pollGenerator)
        Poll(TimecodeSource::Generator, generator_);
    if (link_.Lost()) {
        Stop();
        emit linkLost();
    }
}

void TimecodeMonitor::Poll(TimecodeSource source, QCheckBox* box) {
    // A failed poll leaves the caption; the next tick tries again.
    if (std::string caption; ReadTimecode(link_, source, caption))
        box->setText(QString::fromStdString(caption));
}

} // namespace zeb40
