// What the program reads from settings it took from a file or from the unit:
// every stored code turned into its text, every text field decoded, the
// station and device look-ups. Run on fuzzed settings, it finds stored values
// the readers do not bound.
#pragma once
#include "document/QuorvelDoc.h"

namespace qv::fuzz {

void WalkDocument(CQuorvelDoc& doc);

// The document's blocks as the transfer image gives them back must be the
// bytes they were taken from.
void ExpectSameBlocks(const CQuorvelDoc& doc, const uint8_t* image);

} // namespace qv::fuzz
