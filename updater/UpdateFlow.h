#pragma once
// The update's course, apart from its window: takes a signed manifest, announces a newer
// settings centre, offers the codec updates, starts the downloads when the user confirms
// and answers how they ended. What it shows, starts or ends it asks of its view; it keeps
// no window, thread or file of its own, so it runs anywhere.

#include "platform/registry/RegistryStore.h"
#include "updater/FailureCause.h"
#include "updater/UpdateDecisions.h"
#include "updater/UpdateSite.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelora::updater {

// Waiting: hidden, until the manifest has been judged; then the window's screens.
enum class UpdateStage { Waiting, Offering, Downloading, Done, Ended };

// What the flow asks of the window, and through it of the system.
class UpdateView {
public:
    virtual ~UpdateView() = default;
    // A box of the announcement; true when the user pressed OK.
    virtual bool Announce(const std::string& text) = 0;
    virtual void TellFailure(const std::string& text) = 0;
    virtual void DebugLine(const std::string& line) = 0;
    virtual void OpenPage(const std::string& url) = 0;
    // The settings centre, when `path` names a file.
    virtual void StartProgram(const std::string& path) = 0;
    // The run's own folder for the downloads; false when none could be made.
    virtual bool PrepareFolder() = 0;
    // Shows the offer (its rows in the hidden list's order) or a later stage; false when
    // that stage's skin is missing.
    virtual bool ShowStage(UpdateStage stage, const std::vector<CodecUpdate>& listOrder) = 0;
    // Starts downloading and installing `rows`; false when no worker could start.
    virtual bool StartWorker(const std::vector<CodecUpdate>& rows) = 0;
    // The updater ends: `installed` after the done screen's OK, else cancelled.
    virtual void Finish(bool installed) = 0;
};

// The manifest as it arrived: `signedWhole` only when both files arrived whole and the
// signature is the configured key's; the digest of its bytes; today as YYYYMMDD.
struct ManifestArrival {
    bool signedWhole = false;
    FailureCause fetchFailure = FailureCause::None;  // why it did not arrive whole
    std::string manifest;
    std::optional<std::string> digest;
    std::uint32_t today = 0;
};

// The two messages a failed run ends with, whatever the cause.
inline constexpr char kUpdateFailed[] = "업데이트를 실패 하였습니다.\n재부팅 후 다시 시도 바랍니다.";
inline constexpr char kDownloadFailed[] = "다운로드를 실패 하였습니다.\n재부팅 후 다시 시도 바랍니다.";

class UpdateFlow {
public:
    UpdateFlow(RegistryStore& store, UpdateView& view, const UpdateSite& site)
        : m_store(store), m_view(view), m_site(site)
    {
    }

    // A manifest is taken only whole, signed and current; anything else ends the updater
    // unseen, having announced, offered and written nothing.
    void ManifestArrived(const ManifestArrival& arrival);
    void StartPressed();  // the offer confirmed
    void RowStarted(std::size_t row) { m_row = row; }
    void WorkerEnded(const RunEnd& end);
    void OkPressed();  // on the done screen: the settings centre starts
    void Cancelled() { m_stage = UpdateStage::Ended; }

    const std::vector<CodecUpdate>& Offered() const { return m_offered; }
    UpdateStage Stage() const { return m_stage; }
    // Why the run failed (None: it did not).
    FailureCause Failure() const { return m_failure; }

private:
    void CheckMainProgramStep(const ManifestReader& manifest);
    void CollectCodecUpdatesStep(const ManifestReader& manifest);
    void Fail(const char* message, FailureCause cause);
    void Finish(bool installed);

    RegistryStore& m_store;
    UpdateView& m_view;
    const UpdateSite& m_site;
    UpdateStage m_stage = UpdateStage::Waiting;
    std::vector<CodecUpdate> m_offered;  // in download order
    std::size_t m_row = 0;               // the row being downloaded
    FailureCause m_failure = FailureCause::None;
};

}  // namespace zelora::updater
