// The data-set list page's model: the texts of its 128 rows and the delete
// of the checked data sets.
#pragma once
#include <string>
#include <vector>

#include "document/Refusal.h"
#include "document/SettingsImage.h"
#include "editors/EditorQuestions.h"

namespace qv {

// The texts of one row, by column: number, name, trigger, what is written
// where, second trigger.
struct DataSetRowText {
    std::wstring number, name, trigger, target, trigger2;
};

// True when the record counts as unused: its row shows only its number.
bool IsUnusedDataSet(const DataSetRecord& r);
DataSetRowText FormatDataSetRow(const DataSetTable& dataSets, const TriggerTable& triggers,
                                const UnitBlock& unit, int row, uint32_t codePage);

// Clears the checked rows' records to zero, after the question; other records
// stay where they are. `table` changes only when something was deleted.
// Returns true when it did.
bool DeleteDataSets(DataSetTable& table, const std::vector<int>& checkedRows,
                    EditorQuestions& questions, Refusal& refusal);

} // namespace qv
