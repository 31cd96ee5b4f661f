// A scripted message-box service for tests: records every box, answers from a script.
#pragma once

#include "platform/MessageBoxes.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

struct RecordingMessageBoxService : platform::MessageBoxService {
    struct Box {
        QString kind; // "Information", "Warning", "Question" or "Error"
        QString title;
        QString text;
    };

    void Information(const QString &text) override { Record("Information", {}, text); }
    void Warning(const QString &text) override { Record("Warning", {}, text); }
    bool Question(const QString &text) override {
        Record("Question", {}, text);
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Error(const QString &title, const QString &text) override { Record("Error", title, text); }

    void Record(const QString &kind, const QString &title, const QString &text) {
        boxes.push_back({kind, title, text});
        if (whileShown)
            whileShown();
    }

    std::vector<Box> boxes;
    std::deque<bool> answers;
    // Runs while each box "shows" (inside the service call).
    std::function<void()> whileShown;
};
