// An editor's questions answered from a script, recording what was asked.
#pragma once
#include <gtest/gtest.h>

#include <vector>

#include "editors/EditorModel.h"

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
    std::vector<unsigned> asked;

private:
    std::vector<bool> answers_;
};

} // namespace qv::test
