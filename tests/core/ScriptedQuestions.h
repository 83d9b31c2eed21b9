// An editor's questions answered from a script, recording what was asked.
#pragma once
#include <gtest/gtest.h>

#include <vector>

#include "editors/EditorQuestions.h"

namespace qv::test {

class ScriptedQuestions : public EditorQuestions {
public:
    explicit ScriptedQuestions(std::vector<bool> answers = {}) : answers_(std::move(answers)) {}
    bool AskYesNo(unsigned id) override {
        asked.push_back(id);
        if (asked.size() > answers_.size()) {
            ADD_FAILURE() << "unexpected question " << id;
            return false;
        }
        return answers_[asked.size() - 1];
    }
    // Each three-way question takes the next answer of the script's own.
    YesNoCancel AskYesNoCancel(unsigned id) override {
        asked.push_back(id);
        if (threeWay.empty()) {
            ADD_FAILURE() << "unexpected question " << id;
            return YesNoCancel::Cancel;
        }
        const YesNoCancel a = threeWay.front();
        threeWay.erase(threeWay.begin());
        return a;
    }
    std::vector<unsigned> asked;
    std::vector<YesNoCancel> threeWay;

private:
    std::vector<bool> answers_;
};

} // namespace qv::test
