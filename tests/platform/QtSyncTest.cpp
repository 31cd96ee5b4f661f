// The synchronise facility served by Qt: the event loop, nested waits and modal boxes.
#include "platform/Application.h"
#include "platform/Errors.h"
#include "platform/MessageBoxes.h"
#include "platform/sync.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace {

// A worker that runs one call per iteration on the main thread.
class SynchronisingThread : public platform::Thread {
public:
    SynchronisingThread(int calls, std::function<void(int)> call)
        : calls_(calls), call_(std::move(call)) {}
    QString error; // the message of the exception that reached the worker, if any

protected:
    void Execute() override {
        for (int i = 0; i < calls_ && !Terminated(); ++i) {
            try {
                Synchronize([this, i] { call_(i); });
            } catch (const platform::Exception &e) {
                error = e.Message();
                return;
            }
        }
    }

private:
    int calls_;
    std::function<void(int)> call_;
};

class QtSyncTest : public ::testing::Test {
protected:
    // Waits in the program's nested-wait shape; a watchdog turns a hang into a failure.
    void WaitUntil(const std::function<bool()> &done) {
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, &app, [this] {
            watchdogFired = true;
            app.Terminate();
        });
        watchdog.start(5000);
        while (!done() && !app.Terminated())
            app.ProcessMessages();
    }

    platform::Application app;
    bool watchdogFired = false;
    const std::thread::id mainThread = std::this_thread::get_id();
};

TEST_F(QtSyncTest, CallsServedByTheQtEventLoop) {
    int served = 0;
    bool allOnMain = true;
    SynchronisingThread worker(200, [&](int i) {
        allOnMain = allOnMain && std::this_thread::get_id() == mainThread;
        EXPECT_EQ(i, served);
        ++served;
    });
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (worker.Finished())
            loop.quit();
    });
    poll.start(1);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit); // watchdog
    worker.Start();
    loop.exec(); // only Qt's own loop serves the calls here
    EXPECT_TRUE(worker.Finished());
    worker.WaitFor();
    EXPECT_EQ(served, 200);
    EXPECT_TRUE(allOnMain);
}

TEST_F(QtSyncTest, CallSetsTheFlagOfANestedWait) {
    bool flag = false;
    SynchronisingThread worker(1, [&](int) { flag = true; });
    worker.Start();
    WaitUntil([&] { return flag; });
    EXPECT_TRUE(flag);
    EXPECT_FALSE(watchdogFired);
    worker.WaitFor();
}

TEST_F(QtSyncTest, ExceptionIsCarriedBackToTheWorker) {
    SynchronisingThread worker(3, [](int i) {
        if (i == 1)
            throw platform::EConvertError::NotAnInteger(QStringLiteral("é"));
    });
    worker.Start();
    WaitUntil([&] { return worker.Finished(); });
    worker.WaitFor();
    EXPECT_EQ(worker.error, QStringLiteral("'é' n'est pas une valeur entière correcte"));
    EXPECT_FALSE(worker.FatalException());
}

TEST_F(QtSyncTest, CallServedWhileAModalMessageBoxIsOpen) {
    QString boxTitle;
    QString boxText;
    SynchronisingThread worker(1, [&](int) {
        // Runs inside the box's own loop: read the box, then close it.
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            boxTitle = box->windowTitle();
            boxText = box->text();
            box->close();
        }
    });
    QTimer::singleShot(5000, &app, [] { // watchdog
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    // Started before the box opens: its call can only be served by the box's loop.
    worker.Start();
    platform::QtMessageBoxService().Warning(QStringLiteral("  Attendez\nun instant"));
    worker.WaitFor();
    EXPECT_EQ(boxTitle, QStringLiteral("Avertissement"));
    EXPECT_EQ(boxText, QStringLiteral("  Attendez\nun instant"));
}

TEST_F(QtSyncTest, JoinOnTheMainThreadServesAWorkerBlockedInACall) {
    int served = 0;
    SynchronisingThread worker(1000000, [&](int) { ++served; });
    worker.Start();
    WaitUntil([&] { return served > 0; });
    worker.Terminate(); // the worker may be blocked in a call right now
    worker.WaitFor();
    EXPECT_TRUE(worker.Finished());
    EXPECT_FALSE(watchdogFired);
}

} // namespace
