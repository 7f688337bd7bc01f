#include "eventpump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace plenwick {

void pumpEventsOnce() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void runEventLoopFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace plenwick
