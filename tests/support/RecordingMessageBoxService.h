// A scripted message-box service for tests: records every box, answers from a script.
#pragma once

#include "platform/MessageBoxes.h"

#include <deque>
#include <functional>
#include <vector>

struct RecordingMessageBoxService : platform::MessageBoxService {
    struct Box {
        QString kind, title, text;
    };

    void Information(const QString &text) override { Record("Information", {}, text); }
    void Warning(const QString &text) override { Record("Warning", {}, text); }
    bool Question(const QString &text) override {
        Record("Question", {}, text);
        const bool answer = !answers.empty() && answers.front();
        if (!answers.empty())
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
    std::deque<bool> answers;         // for Question; "Non" when empty
    std::function<void()> whileShown; // runs inside each box
};
