#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace td {

class Recovery;

// When the recovery copies are written: once the user has paused for a moment, and at the
// latest ten seconds after a change, but never while a mouse button is held or a drag is under
// way, so that writing never stalls a gesture.
class RecoveryTimer final : public QObject {
public:
    // `busy` tells whether a drag is under way.
    RecoveryTimer(Recovery& recovery, std::function<bool()> busy);

protected:
    // Installed on the application: every key, button, move and wheel event is input.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Tick();

    Recovery& recovery;
    std::function<bool()> busy;
    QTimer timer;
    QElapsedTimer sinceInput;
    QElapsedTimer behindFor;
};

}  // namespace td
