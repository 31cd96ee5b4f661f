// A scripted message-box service for tests: records every box, answers from a script.
#pragma once

#include "platform/app/MessageBoxes.h"

#include <deque>
#include <functional>
#include <vector>

struct RecordingMessageBoxService : platform::MessageBoxService {
    struct Box {
        QString kind, title, text;
    };

    void Information(const QString &text) override { Record("Information", {}, text); }
    void Warning(const QString &text) override { Record("Warning", {}, text); }
    bool Question(const QString &text) override { return Answer("Question", text); }
    bool WarningQuestion(const QString &text) override { return Answer("WarningQuestion", text); }
    void Error(const QString &title, const QString &text) override { Record("Error", title, text); }

    bool Answer(const QString &kind, const QString &text) {
        Record(kind, {}, text);
        const bool answer = !answers.empty() && answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
    }

    void Record(const QString &kind, const QString &title, const QString &text) {
        boxes.push_back({kind, title, text});
        if (whileShown)
            whileShown();
    }

    std::vector<Box> boxes;
    std::deque<bool> answers;         // for the questions; "Non" when empty
    std::function<void()> whileShown; // runs inside each box
};
