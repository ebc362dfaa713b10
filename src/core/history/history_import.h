#pragma once
// Importing logs into the history. A log is read whole and cut into its
// matches; each match whose content is stored already (the same log read
// again, a copy under another name) is passed over, and the rest are stored
// a batch at a time, each batch in one transaction. A log that grew adds its
// new matches, and completes the one that had not ended; a log that is
// shorter or holds other bytes where the last import ended is a new log. A
// log whose size, first bytes and last bytes are as the last import left
// them is not read at all.
//
// Dates: every match first stored by an import gets its log file's
// modification time; matches keep their order in the log (docs/history.md).

#include "core/history/history_store.h"

#include <cstdint>
#include <functional>
#include <string>

namespace quorvath {

struct LogImport {
    int added = 0;          // matches stored
    int matches = 0;        // matches the log holds
    bool unchanged = false; // as the last import left it: not read again
    bool stopped = false;   // afterBatch asked to stop before the last batch
};

struct ImportOptions {
    int batchMatches = 64; // matches stored per transaction
    std::int64_t date = 0; // the new matches' date, seconds since 1970; 0: the file's time
    // Called after each batch stored with the matches handed to the store so
    // far and the log's count; false stops the import before the next batch
    // (what was stored stays, and the next import reads the log again).
    std::function<bool(int handed, int matches)> afterBatch = nullptr;
};

// Imports the log at `path` into `store`; the message names the log or the
// history when either fails. Batches stored before a failure stay stored.
HistoryError importLog(HistoryStore& store, const std::string& path, LogImport& result,
                       const ImportOptions& options = {});

} // namespace quorvath
