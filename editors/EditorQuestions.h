// The questions an editor's model asks before it stores, through the
// window that shows them; a test scripts the answers.
#pragma once

namespace qv {

// A list page's delete: nothing is checked, or the question before it
// deletes the checked rows.
constexpr unsigned kMsgNothingChecked = 20003;
constexpr unsigned kMsgDeleteChecked = 20004;

enum class YesNoCancel { Yes, No, Cancel };

// What an editor's model asks before it stores. A Yes stores at once what no
// Cancel takes back, so the answer that changes nothing is the default.
class EditorQuestions {
public:
    virtual ~EditorQuestions() = default;
    // A Yes/No question by string number; true for Yes. No changes nothing.
    virtual bool AskYesNo(unsigned messageId) = 0;
    // A question whose Yes and No both act: Cancel (also Escape and the
    // close box) changes nothing.
    virtual YesNoCancel AskYesNoCancel(unsigned messageId) = 0;
};

} // namespace qv
