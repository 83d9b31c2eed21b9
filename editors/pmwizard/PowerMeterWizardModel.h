// The power-meter wizard: the stations on serial port 2 with their unit
// types and the save interval, built on OK into a whole new set of settings:
// two triggers, the log files "syunji" (values as read) and "sabun" (their
// differences) and one device record per value and file.
#pragma once
#include <array>

#include "document/QuorvelDoc.h"
#include "document/Refusal.h"
#include "editors/EditorQuestions.h"
#include "editors/pmwizard/UnitTypeModel.h"

namespace qv {

constexpr unsigned kMsgNoStationSelected = 20360;
constexpr unsigned kMsgReplaceAllSettings = 20261;
constexpr unsigned kStrFreeRecordsTip = 20361;
constexpr unsigned kStrIntervalItems[] = {7190, 7191, 7192};
constexpr unsigned kStrCycleTriggerNames[] = {3995, 3996, 3997};
constexpr unsigned kStrDailyTriggerName = 7194;
constexpr unsigned kStrUnitTypeNames[] = {7181, 7182, 7183, 7184};
constexpr unsigned kStrRangeNames[] = {7185, 7186, 7187};

// Stations 1 to 99: the highest the area protocol of port 2 (its factory
// setting, which the wizard writes) can address.
constexpr int kWizardStations = 99;
constexpr int kWizardStationRows = 10; // row 0: stations 1..9; row r: 10r..10r+9
constexpr int kIntervalCount = 3;

struct PowerMeterWizardForm {
    int interval = 0; // 15 minutes, 30 minutes, 1 hour
    bool writeRequest = false;
    std::array<UnitTypeRecord, kWizardStations + 1> stations{}; // by number; 0 unused
    std::array<bool, kWizardStationRows> rowOn{};
};

class PowerMeterWizard {
public:
    PowerMeterWizard();

    const PowerMeterWizardForm& Form() const { return form_; }
    void SetInterval(int item) { form_.interval = item; }
    void SetWriteRequest(bool on) { form_.writeRequest = on; }
    const UnitTypeRecord& Station(int number) const { return form_.stations.at(number); }

    static int RowOf(int station) { return station / 10; }
    static int FirstOfRow(int row) { return row == 0 ? 1 : 10 * row; }
    static int LastOfRow(int row) { return 10 * row + 9; }

    // Device records the selected stations write, both files together.
    int CountSelectedStations() const;
    int FreeRecords() const { return kRecordLimit - CountSelectedStations(); }

    // A station box turned on or off; a refused one stays off.
    Refusal SetStation(int station, bool on);
    // A row button turned on or off; a refused one stays off and its
    // stations keep their selection.
    Refusal SetRow(int row, bool on);
    // OK of the unit-type dialog with its edited copy of the station's record.
    Refusal SetUnitType(int station, UnitTypeRecord edited);

    // OK: refused when nothing would be logged or the limit is passed.
    Refusal Check() const;
    // Replaces every setting of the document with what the wizard builds
    // and sets its write request. Call only after Check passed and the user
    // agreed.
    void Store(CQuorvelDoc& doc) const;

private:
    PowerMeterWizardForm form_;
};

// The whole OK of the wizard: the check, with flag 1 (an open document) the
// question whether to replace its settings, then the store. False when the
// wizard stays open: `refusal` says why, or is empty after a No.
bool FinishPowerMeterWizard(const PowerMeterWizard& wizard, CQuorvelDoc& doc, int flag,
                            EditorQuestions& questions, Refusal& refusal);

} // namespace qv
