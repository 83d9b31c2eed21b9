// A scripted user for the unit tools: records every message, answers the
// questions from a script, and checks that no message is shown while the wait
// cursor is still up.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "link/LinkServices.h"

namespace qv::test {

struct ShownMessage {
    unsigned id;
    unsigned type;
    bool question;
    bool operator==(const ShownMessage& o) const {
        return id == o.id && type == o.type && question == o.question;
    }
};

inline void PrintTo(const ShownMessage& m, std::ostream* os) {
    *os << (m.question ? "Ask(" : "Tell(") << m.id << ", 0x" << std::hex << m.type << std::dec
        << ")";
}

inline ShownMessage Asked(unsigned id, unsigned type) {
    return {id, type, true};
}
inline ShownMessage Told(unsigned id, unsigned type) {
    return {id, type, false};
}

class FakeUserDialogs : public UserDialogs {
public:
    explicit FakeUserDialogs(std::deque<int> script = {}) : answers(std::move(script)) {}

    int Ask(unsigned id, unsigned type) override {
        Record(id, type, true);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question " << id;
            return kIdNo;
        }
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    void Tell(unsigned id, unsigned type) override { Record(id, type, false); }
    std::string ChooseFirmwareFile() override {
        ++filesAsked;
        return file;
    }
    void SetBusyCursor(bool busy) override {
        busyDepth += busy ? 1 : -1;
        EXPECT_GE(busyDepth, 0);
        everBusy = everBusy || busy;
    }

    std::vector<unsigned> Ids() const {
        std::vector<unsigned> ids;
        for (const auto& m : shown)
            ids.push_back(m.id);
        return ids;
    }

    std::deque<int> answers;
    std::vector<ShownMessage> shown;
    std::string file; // what the file dialog returns
    int filesAsked = 0;
    int busyDepth = 0;
    bool everBusy = false;

private:
    void Record(unsigned id, unsigned type, bool question) {
        EXPECT_EQ(busyDepth, 0) << "message " << id << " under the wait cursor";
        shown.push_back({id, type, question});
    }
};

constexpr unsigned kOkExcl = kMbOk | kMbIconExclamation;
constexpr unsigned kOkInfo = kMbOk | kMbIconInformation;
constexpr unsigned kYesNoExcl = kMbYesNo | kMbIconExclamation;
constexpr unsigned kYesNoQuestion = kMbYesNo | kMbIconQuestion;
// The clear cannot be undone: No is the default.
constexpr unsigned kClearQuestion = kYesNoQuestion | kMbDefButton2;

} // namespace qv::test
