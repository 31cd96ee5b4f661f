// The synchronise facility served by Qt: its event loop, nested waits and modal boxes.
#include "base/sync.h"
#include "platform/app/Application.h"
#include "platform/app/Errors.h"
#include "platform/app/MessageBoxes.h"
#include "platform/app/PlainMessageBox.h"

#include <QApplication>
#include <QTest>
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
    QString error; // the message of an exception that came back to the worker

protected:
    void Execute() override {
        try {
            for (int i = 0; i < calls_; ++i)
                Synchronize([this, i] { call_(i); });
        } catch (const platform::Exception &e) {
            error = e.Message();
        }
    }

private:
    int calls_;
    std::function<void(int)> call_;
};

class QtSyncTest : public ::testing::Test {
protected:
    platform::Application app;
};

TEST_F(QtSyncTest, CallsServedByTheQtEventLoopOnTheMainThread) {
    const auto mainThread = std::this_thread::get_id();
    int served = 0;
    bool inOrderOnMain = true;
    SynchronisingThread worker(200, [&](int i) {
        inOrderOnMain = inOrderOnMain && i == served && std::this_thread::get_id() == mainThread;
        ++served;
    });
    worker.Start();
    // Only Qt's own processing serves the calls here (the posted wake-ups).
    EXPECT_TRUE(QTest::qWaitFor([&] { return worker.Finished(); }, 5000));
    worker.WaitFor();
    EXPECT_EQ(served, 200);
    EXPECT_TRUE(inOrderOnMain);
}

TEST_F(QtSyncTest, CallSetsTheFlagOfANestedWaitAndItsExceptionGoesBack) {
    bool flag = false;
    SynchronisingThread worker(3, [&](int i) {
        flag = i == 1;
        if (flag)
            throw platform::EConvertError::NotAnInteger(QStringLiteral("é"));
    });
    QTimer::singleShot(5000, &app, [this] { app.Terminate(); }); // watchdog
    worker.Start();
    while (!flag && !app.Terminated())
        app.ProcessMessages();
    EXPECT_TRUE(flag);
    worker.WaitFor();
    EXPECT_EQ(worker.error, QStringLiteral("'é' n'est pas une valeur entière correcte"));
}

TEST_F(QtSyncTest, CallServedWhileAModalMessageBoxIsOpen) {
    QString boxText;
    SynchronisingThread worker(1, [&](int) {
        // Runs inside the box's own loop: read the box, then close it.
        if (auto *box =
                qobject_cast<platform::PlainMessageBox *>(QApplication::activeModalWidget())) {
            boxText = box->Text();
            box->close();
        }
    });
    QTimer::singleShot(5000, &app, [] { // watchdog
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    worker.Start(); // before the box opens: only the box's loop can serve the call
    platform::QtMessageBoxService().Warning(QStringLiteral("  Attendez\nun instant"));
    worker.WaitFor();
    EXPECT_EQ(boxText, QStringLiteral("  Attendez\nun instant"));
}

} // namespace
