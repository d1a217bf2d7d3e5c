#include "updater/FailureCause.h"

namespace zelora::updater {

std::string_view CauseText(FailureCause cause)
{
    switch (cause) {
    case FailureCause::None: return "no failure";
    case FailureCause::AddressRefused: return "address refused";
    case FailureCause::NoConnection: return "no connection";
    case FailureCause::Deadline: return "deadline passed";
    case FailureCause::Stalled: return "stalled";
    case FailureCause::HttpStatus: return "HTTP status other than 200";
    case FailureCause::RedirectRefused: return "redirect refused";
    case FailureCause::TooManyRedirects: return "too many redirects";
    case FailureCause::Oversize: return "larger than allowed";
    case FailureCause::WrongSize: return "not the size expected";
    case FailureCause::FileWrite: return "file not written";
    case FailureCause::FileCommit: return "file not committed";
    case FailureCause::HashMismatch: return "hash mismatch";
    case FailureCause::InstallerNotStarted: return "installer not started";
    case FailureCause::NoWorker: return "download thread not started";
    }
    return "unknown cause";
}

}  // namespace zelora::updater
