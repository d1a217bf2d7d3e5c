#include "updater/UpdateFlow.h"

#include "updater/AddressRules.h"
#include "updater/ManifestRules.h"
#include "updater/ManifestText.h"
#include "updater/UpdateCodecs.h"

namespace zelora::updater {

void UpdateFlow::ManifestArrived(const ManifestArrival& arrival)
{
    if (m_stage != UpdateStage::Waiting) return;
    const ManifestText manifest(arrival.manifest);
    ManifestStamp stamp;
    if (arrival.fetchFailure != FailureCause::None)
        m_view.DebugLine("ZeloraUpdate: manifest: " + std::string(CauseText(arrival.fetchFailure)));
    if (!arrival.signedWhole || !arrival.digest ||
        JudgeManifest(manifest, ReadAccepted(m_store), *arrival.digest, arrival.today, &stamp) !=
            ManifestVerdict::Current) {
        Finish(false);
        return;
    }
    RecordAccepted(m_store, stamp.serial, *arrival.digest);
    CheckMainProgramStep(manifest);
    if (m_stage == UpdateStage::Waiting) CollectCodecUpdatesStep(manifest);
}

void UpdateFlow::CheckMainProgramStep(const ManifestReader& manifest)
{
    const auto notice = CheckMainProgram(m_store, manifest, m_site.homePage);
    if (!notice) return;
    if (m_view.Announce(NewVersionText(notice->version)))
        m_view.OpenPage(notice->pageUrl);
    else
        m_view.Announce(ReminderText(m_site.homeHost));
}

void UpdateFlow::CollectCodecUpdatesStep(const ManifestReader& manifest)
{
    m_offered = CollectCodecUpdates(m_store, manifest);
    if (m_offered.empty() || !m_view.PrepareFolder() || !m_view.ShowStage(UpdateStage::Offering, ListOrder(m_offered))) {
        Finish(false);
        return;
    }
    m_stage = UpdateStage::Offering;
}

void UpdateFlow::StartPressed()
{
    if (m_stage != UpdateStage::Offering) return;
    if (!m_view.ShowStage(UpdateStage::Downloading, {})) {
        Finish(false);
        return;
    }
    m_stage = UpdateStage::Downloading;
    m_row = 0;
    if (!m_view.StartWorker(m_offered)) Fail(kUpdateFailed, FailureCause::NoWorker);
}

void UpdateFlow::WorkerEnded(const RunEnd& end)
{
    if (m_stage != UpdateStage::Downloading) return;
    switch (end.outcome) {
    case WorkerOutcome::AllInstalled:
        m_stage = UpdateStage::Done;
        if (!m_view.ShowStage(UpdateStage::Done, {})) Finish(false);
        break;
    case WorkerOutcome::RowFailed:
        Fail(kDownloadFailed, end.cause);
        break;
    case WorkerOutcome::InstallerFailed:
        Fail(kUpdateFailed, end.cause);
        break;
    case WorkerOutcome::Cancelled:
        m_stage = UpdateStage::Ended;
        break;
    }
}

void UpdateFlow::OkPressed()
{
    if (m_stage != UpdateStage::Done) return;
    const std::string installDir = m_store.ReadString(RegRoot::LocalMachine, kSetupKey, "Install_Dir");
    if (const std::optional<std::string> program = ZeloraProgramPath(installDir)) m_view.StartProgram(*program);
    Finish(true);
}

void UpdateFlow::Fail(const char* message, FailureCause cause)
{
    m_failure = cause;
    const std::string codec = m_row < m_offered.size() ? m_offered[m_row].name : std::string("-");
    m_view.DebugLine("ZeloraUpdate: " + codec + ": " + std::string(CauseText(cause)));
    m_view.TellFailure(message);
    Finish(false);
}

void UpdateFlow::Finish(bool installed)
{
    m_stage = UpdateStage::Ended;
    m_view.Finish(installed);
}

}  // namespace zelora::updater
