// The contact page of the trigger editor: a trigger that fires on one bit of
// a device on a serial port, or of the unit's own memory.
#pragma once
#include <string>

#include "document/Refusal.h"
#include "editors/triggers/PortTriggerModel.h"

namespace qv {

enum ContactField {
    kContactNoField = 0,
    kContactPort,
    kContactStation,
    kContactCode,
    kContactAddress,
    kContactCondition,
    kContactCount,
};

constexpr int kContactConditionCount = 7;
constexpr size_t kContactAddressChars = 4; // the edits' text limits
constexpr size_t kContactCountChars = 10;
constexpr int kContactConditionExcluded = 5;
constexpr unsigned kStrContactConditionFirst = 4190;
constexpr unsigned kMsgContactAddressInvalid = 20161;
constexpr unsigned kMsgAddressOutOfRange = 20160;
constexpr unsigned kMsgContactCountInvalid = 20240;

// What the page's controls show. A list index of -1 is "no entry": the
// stored byte was outside the list and a store keeps it.
struct ContactTriggerForm {
    int port = 0;    // -1: a stored port the box does not know
    int station = 0; // entry of the station box: station - 1
    int code = 0;    // entry of the area / function-code box
    std::wstring address;
    int condition = 0;
    std::wstring count;
};

// What the window shows around the values, derived from the form.
struct ContactTriggerView {
    PortChoices choices;
    bool countEnabled = false;
    unsigned countUnitId = 0; // the count's unit text; 0 none
    std::wstring codeLabel;   // shown only while not empty
};

class ContactTriggerModel {
public:
    explicit ContactTriggerModel(const UnitBlock& unit) : unit_(unit) {}

    // Takes over a record of another kind first, as the page does on opening.
    ContactTriggerForm Load(TriggerRecord& record) const;
    // The port box changed: new lists, the record's station and code again.
    void ChangePort(ContactTriggerForm& form, int port, const TriggerRecord& record) const;
    ContactTriggerView View(const ContactTriggerForm& form) const;

    Refusal Check(const ContactTriggerForm& form) const;
    // Only after Check passed.
    void Store(const ContactTriggerForm& form, TriggerRecord& record) const;

    // A stored trigger that other tables may not name.
    static bool Excludes(const ContactTriggerForm& form) {
        return form.condition == kContactConditionExcluded;
    }
    // The characters the field's edit accepts, typed or pasted.
    CharClass CharsOf(int field) const;

private:
    const UnitBlock& unit_;
};

} // namespace qv
