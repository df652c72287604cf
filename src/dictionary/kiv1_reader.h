#pragma once

#include "dictionary/file_io.h"
#include "dictionary/load_job.h"

// The entry reader of version-1 dictionary files (read only; version 2 is the one written).

namespace gryvel {

// Reads the body (from HeadSize to the end of `file`, expanded first when header flag
// kHeadCompressed is set) and takes the header's count of records: the word, Offset = -1, and
// the description into the job's description table (with kFlagChanged,
// kFlagDescriptionInMemory and kFlagHasDescription). A body that ends before the count ends
// the load with "Actual items count is not... Error on reading the dictionary", keeping the
// records read; nothing is read past the body.
TLoadOutcome LoadAsKIV1(TReadFile& file, const TLoadJob& job);

}  // namespace gryvel
