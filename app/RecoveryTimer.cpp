#include "app/RecoveryTimer.h"

#include "persistence/Recovery.h"

#include <QEvent>
#include <QGuiApplication>

namespace td {

namespace {

constexpr int TickMs = 1000;
constexpr qint64 IdleMs = 2000;
// Noticed within a tick of the change, written within a tick of this: ten seconds at most.
constexpr qint64 LatestMs = 7000;

bool IsInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

}  // namespace

RecoveryTimer::RecoveryTimer(Recovery& recovery, std::function<bool()> busy)
    : recovery(recovery)
    , busy(std::move(busy))
{
    sinceInput.start();
    connect(&timer, &QTimer::timeout, this, &RecoveryTimer::Tick);
    timer.start(TickMs);
    QCoreApplication::instance()->installEventFilter(this);
}

bool RecoveryTimer::eventFilter(QObject*, QEvent* event)
{
    if (IsInput(event->type()))
        sinceInput.restart();
    return false;
}

void RecoveryTimer::Tick()
{
    if (!recovery.Behind()) {
        behindFor.invalidate();
        return;
    }
    if (!behindFor.isValid())
        behindFor.start();
    if (QGuiApplication::mouseButtons() != Qt::NoButton || busy())
        return;
    if (sinceInput.elapsed() >= IdleMs || behindFor.elapsed() >= LatestMs) {
        recovery.KeepCopies();
        behindFor.invalidate();
    }
}

}  // namespace td
