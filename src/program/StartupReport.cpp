#include "program/StartupReport.h"

#include "mainwindow/Unit1.h"
#include "program/Forms.h"

#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace app {

namespace {

class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget &window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint) {
            timespec now{};
            clock_gettime(CLOCK_REALTIME, &now);
            std::fprintf(stderr, "shown %lld\n", now.tv_sec * 1000000000LL + now.tv_nsec);
            std::fflush(stderr);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void ReportFirstPaintWhenAsked(Forms &forms) {
    if (qEnvironmentVariableIsSet("VENTROSE_REPORT_SHOWN"))
        new FirstPaint(*forms.Form1()); // owned by the window
}

} // namespace app
