// The register comparison page of the trigger editor: one register value of
// a device or of the unit compared with one or two limits of its data type.
#pragma once
#include <string>
#include <vector>

#include "document/Refusal.h"
#include "editors/triggers/PortTriggerModel.h"

namespace qv {

enum RegisterField {
    kRegisterNoField = 0,
    kRegisterPort,
    kRegisterStation,
    kRegisterCode,
    kRegisterAddress,
    kRegisterDataType,
    kRegisterOperator,
    kRegisterValue1,
    kRegisterValue2,
    kRegisterExcluded,
    kRegisterOption,      // the check box stored in byte 0x27
    kRegisterChoice,      // the option box stored in byte 0x44
    kRegisterBracket,     // the check box stored in byte 0x25
    kRegisterBracketText, // the number that check box enables
};

constexpr int kRegisterTypeCount = 9;
constexpr int kRegisterTypeFloat = 6;
constexpr int kRegisterOperatorCount = 4;
constexpr int kRegisterChoiceCount = 2;    // entries of the option box
constexpr size_t kRegisterValueChars = 20; // the edits' text limits
constexpr size_t kRegisterBracketChars = 9;
constexpr unsigned kStrCompareOpFirst = 4055;
constexpr unsigned kMsgValueAboveSecond = 20016; // operator 2: value 1 > value 2
constexpr unsigned kMsgValueBelowSecond = 20017; // operator 1: value 1 < value 2
constexpr unsigned kMsgTooManyDigits = 20008;

// The value message of each DataType.
unsigned ValueMessageOfType(int dataType);

// What the page's controls show. A list index or code of -1 is "no entry":
// the stored byte was outside the list and a store keeps it.
struct RegisterTriggerForm {
    int port = 0;
    int station = 0; // entry of the station box: station - 1
    int code = 0;    // entry of the area / function-code box
    std::wstring address;
    int dataType = 0;
    int op = 0; // the operator's code, not its entry
    std::wstring value1, value2;
    bool excluded = false;
    bool option = false;
    int choice = 0;
    bool bracket = false;
    std::wstring bracketText;
};

struct RegisterTriggerView {
    PortChoices choices;
    std::vector<int> operators; // operator codes, one per entry
    bool operatorShown = true;
    unsigned betweenTextId = 0; // text between the two values; 0 hidden
    bool value1Enabled = false;
    bool value2Enabled = false;
    bool excludedEnabled = true;
    bool optionEnabled = true;
    bool choiceEnabled = false;
    bool bracketTextEnabled = false;
    size_t addressMaxChars = 5;
    std::wstring codeLabel;
};

class RegisterTriggerModel {
public:
    explicit RegisterTriggerModel(const UnitBlock& unit) : unit_(unit) {}

    // Takes over a record of another kind first, as the page does on opening.
    RegisterTriggerForm Load(TriggerRecord& record) const;
    // The port box changed: new lists, the record's station and code again.
    void ChangePort(RegisterTriggerForm& form, int port, const TriggerRecord& record) const;
    // A float offers only operators 1 and 2 and not the option check box.
    void ChangeDataType(RegisterTriggerForm& form, int dataType) const;
    // The option check box: it compares with operator 3 alone and never excludes.
    void SetOption(RegisterTriggerForm& form, bool on) const;
    RegisterTriggerView View(const RegisterTriggerForm& form) const;

    Refusal Check(const RegisterTriggerForm& form) const;
    // Only after Check passed.
    void Store(const RegisterTriggerForm& form, TriggerRecord& record) const;

    static bool Excludes(const RegisterTriggerForm& form) { return form.excluded && !form.option; }
    // The characters the field's edit accepts, typed or pasted.
    CharClass CharsOf(const RegisterTriggerForm& form, int field) const;

private:
    const UnitBlock& unit_;
};

} // namespace qv
