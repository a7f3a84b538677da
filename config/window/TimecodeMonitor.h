#pragma once
// The running timecodes in the captions of the two "Timecode" check boxes:
// while either is checked a 200 ms timer polls the unit, alternating between
// reader and generator when both are checked.

#include "config/TimecodeCommands.h"
#include "link/UnitLink.h"

#include <QObject>
#include <QTimer>

class QCheckBox;

namespace zeb40 {

class TimecodeMonitor : public QObject {
    Q_OBJECT
  public:
    TimecodeMonitor(UnitLink& link, QCheckBox* reader, QCheckBox* generator,
                    QObject* parent = nullptr);

    bool Running() const { return timer_.isActive(); }
    // One poll, as the timer makes it.
    void Tick();
    // Polling stopped, both boxes unchecked and captioned as unchecked.
    void Stop();

  signals:
    // The unit vanished (unplugged): polling has stopped and both boxes are
    // unchecked; the window reports it.
    void linkLost();

  private:
    void OnBoxClicked(QCheckBox* box, QCheckBox* other);
    void Poll(TimecodeSource source, QCheckBox* box);

    UnitLink& link_;
    QCheckBox* reader_;
    QCheckBox* generator_;
    QTimer timer_;
};

} // namespace zeb40
