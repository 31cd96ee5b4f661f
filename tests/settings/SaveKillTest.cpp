// Ventrose.inf under a kill: a program saving the settings over and over is killed
// (SIGKILL) at a random moment, hundreds of times; the file is then always exactly the
// last version saved or the one being saved, never anything else. VENTROSE_KILL_ROUNDS
// sets the number of kills (default 200).
#include "saver/SaverContent.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace {

// The saver's pid and the read end of its standard output.
struct Saver {
    pid_t pid = -1;
    int output = -1;
};

Saver StartSaver(const std::string &path, long lastVersion) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    const std::string version = std::to_string(lastVersion);
    char *const argv[] = {const_cast<char *>(SETTINGS_SAVER), const_cast<char *>(path.c_str()),
                          const_cast<char *>(version.c_str()), nullptr};
    Saver saver;
    if (posix_spawn(&saver.pid, SETTINGS_SAVER, &actions, nullptr, argv, environ) != 0)
        saver.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    saver.output = pipeEnds[0];
    return saver;
}

// The last version the saver reported before it died (or `before` if it reported none).
long LastReported(int output, long before) {
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = read(output, buffer, sizeof buffer)) > 0)
        text.append(buffer, std::size_t(n));
    close(output);
    const std::size_t end = text.find_last_of('\n');
    if (end == std::string::npos)
        return before;
    const std::size_t start = text.find_last_of('\n', end - 1);
    return std::stol(text.substr(start == std::string::npos ? 0 : start + 1));
}

std::string FileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
}

TEST(SettingsUnderKill, TheFileIsAlwaysTheOldOrTheNewVersion) {
    const int rounds = qEnvironmentVariableIsSet("VENTROSE_KILL_ROUNDS")
                           ? qEnvironmentVariableIntValue("VENTROSE_KILL_ROUNDS")
                           : 200;
    QTemporaryDir dir;
    const QString path = dir.filePath("Ventrose.inf");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(saver::FileText(0)));
    }
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delay(0, 30000); // microseconds before the kill
    long version = 0;
    int newer = 0;
    for (int round = 0; round < rounds; ++round) {
        const Saver saver = StartSaver(path.toStdString(), version);
        ASSERT_GT(saver.pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        kill(saver.pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(saver.pid, &status, 0), saver.pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saver stopped by itself: " << status;

        const long saved = LastReported(saver.output, version);
        const std::string bytes = FileBytes(path);
        if (bytes == saver::FileText(saved + 1)) {
            ++newer; // renamed into place, killed before it could report
            version = saved + 1;
        } else {
            ASSERT_EQ(bytes, saver::FileText(saved))
                << "round " << round << ": neither version " << saved << " nor the next";
            version = saved;
        }
    }
    // The saves that were cut short leave their temporary files; the next save clears them.
    // It goes on saving until it is killed, so the file is then the last version it
    // reported or the next, like after every other kill.
    const Saver last = StartSaver(path.toStdString(), version);
    const long firstSaved = [&] {
        std::string line;
        char c;
        while (read(last.output, &c, 1) == 1 && c != '\n')
            line.push_back(c);
        return std::stol(line);
    }();
    kill(last.pid, SIGKILL);
    waitpid(last.pid, nullptr, 0);
    const long saved = LastReported(last.output, firstSaved);
    const std::string bytes = FileBytes(path);
    EXPECT_TRUE(bytes == saver::FileText(saved) || bytes == saver::FileText(saved + 1))
        << "after the last save: neither version " << saved << " nor the next";
    const QStringList left = QDir(dir.path()).entryList({"Ventrose.inf.tmp-*"}, QDir::Files);
    EXPECT_LE(left.size(), 1) << "only the save under way when it was killed";
    std::printf("%d kills, %ld versions saved, %d times the file was the version being saved\n",
                rounds, version, newer);
}

} // namespace
