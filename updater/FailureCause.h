#pragma once
// Why an update failed. The user is told one of two messages whatever the cause; the cause
// goes to a debug line and to the tests.

#include <string_view>

namespace zelora::updater {

enum class FailureCause {
    None,
    AddressRefused,       // no download address, or no safe installer name in it
    NoConnection,         // the internet layer could not open, connect, send or read
    Deadline,             // the whole transfer outlasted its deadline
    Stalled,              // no byte within the receive timeout
    HttpStatus,           // an answer other than 200
    RedirectRefused,      // to another scheme, from https to http, or to no download address
    TooManyRedirects,
    Oversize,             // more bytes announced or received than allowed
    WrongSize,            // fewer bytes than announced or pinned, or another size announced
    FileWrite,            // the partial file could not be created or written
    FileCommit,           // it could not be flushed and renamed into place
    HashMismatch,         // not the bytes the manifest pinned
    InstallerNotStarted,  // downloaded and checked, but the system would not start it
    NoWorker,             // the download thread could not start
};

// How the worker's run ended. RowFailed: a download failed or its file was not the one
// pinned; InstallerFailed: a downloaded installer could not be started. Either ends the run
// with the rows after it.
enum class WorkerOutcome { AllInstalled, RowFailed, InstallerFailed, Cancelled };

struct RunEnd {
    WorkerOutcome outcome = WorkerOutcome::RowFailed;
    FailureCause cause = FailureCause::None;
};

// The cause in a few words, for the debug line.
std::string_view CauseText(FailureCause cause);

}  // namespace zelora::updater
