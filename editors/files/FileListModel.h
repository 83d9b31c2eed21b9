// The file list pages' model: the rows of the sixteen log files and of one
// history file, and the reset of checked log files to their defaults.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document/ListFillers.h"
#include "document/SettingsImage.h"
#include "editors/EditorQuestions.h"

namespace qv {

constexpr unsigned kMsgResetFiles = 20130;
constexpr unsigned kStrWritesCount = 3058;
constexpr unsigned kStrWritesOnTrigger = 3059;

// Texts of a log-file row by column: number, name, trigger, quantity, count.
struct FileRowText {
    std::wstring number, name, trigger, quantity, count;
};

// A log file holding the values its defaults give shows an empty row.
bool IsUntouchedLogFile(const FileRecord& record);
FileRowText FormatFileSetRow(const FileTable& files, const TriggerTable& triggers, int row,
                             uint32_t codePage);
// The history row: name, quantity, count (no trigger column).
FileRowText FormatHistoryRow(const FileTable& files, const TriggerTable& triggers, int recordIndex,
                             uint32_t codePage);

// Resets the checked log files (rows 0..15) of `files`, the document's
// table as it is now, after one question. False when nothing changed.
bool ResetFiles(FileTable& files, const std::vector<bool>& checked, EditorQuestions& questions);
void ResetLogFile(FileRecord& record);

} // namespace qv
