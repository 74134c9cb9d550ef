#pragma once
// A host that records the boxes shown and answers questions from a queue.
// The full scripted host of the dialog layer builds on the same idea.

#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/Host.h"

namespace testing_support {

struct ShownMessage {
    std::string text;
    ui::Icon icon;
};

class RecordingHost : public ui::Host {
public:
    void message(const std::string& text, ui::Icon icon) override { shown.push_back({text, icon}); }
    ui::Answer ask(const std::string& text, ui::Buttons, ui::Icon icon) override {
        shown.push_back({text, icon});
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return ui::Answer::Cancel;
        }
        const auto a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<ShownMessage> shown;
    std::deque<ui::Answer> answers;
};

}  // namespace testing_support
