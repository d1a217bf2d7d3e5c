// The update's flow without its window: a view that records what it was asked, over the
// memory registry.
#include "platform/registry/MemoryRegistry.h"
#include "updater/UpdateFlow.h"

#include <gtest/gtest.h>

namespace zelora::updater {
namespace {

class RecordingView final : public UpdateView {
public:
    std::vector<std::string> calls;
    bool workerStarts = true;

    bool Announce(const std::string& text) override { return Note("announce " + text), false; }
    void TellFailure(const std::string& text) override { Note("tell " + text); }
    void DebugLine(const std::string& line) override { Note("debug " + line); }
    void OpenPage(const std::string& url) override { Note("open " + url); }
    void StartProgram(const std::string& path) override { Note("start " + path); }
    bool PrepareFolder() override { return Note("folder"), true; }
    bool ShowStage(UpdateStage stage, const std::vector<CodecUpdate>& rows) override
    {
        return Note("stage " + std::to_string(static_cast<int>(stage)) + " rows " + std::to_string(rows.size())), true;
    }
    bool StartWorker(const std::vector<CodecUpdate>&) override { return Note("worker"), workerStarts; }
    void Finish(bool installed) override { Note(installed ? "finish installed" : "finish"); }

private:
    void Note(std::string call) { calls.push_back(std::move(call)); }
};

class UpdateFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        store.WriteString(RegRoot::CurrentUser, "SOFTWARE\\Tarnwick\\Quellmark\\Setup", "Zelora-ver", "20051013");
        store.WriteDword(RegRoot::LocalMachine, "SOFTWARE\\Tarnwick\\Quellmark\\CodecUpdate\\video", "Xvid", 1);
    }
    void Offer(UpdateFlow& flow, bool signedWhole = true, FailureCause fetchFailure = FailureCause::None)
    {
        flow.ManifestArrived({signedWhole, fetchFailure,
                              "[ZELORADATE]\r\nVER=20051013\r\nSERIAL=7\r\nEXPIRES=20991231\r\n[Xvid]\r\nVER=1.1\r\n"
                              "URL=http://dl.zelora.example/codecs/xvid.exe\r\nSHA256=" + std::string(64, 'a') +
                                  "\r\nSIZE=1000\r\n",
                              "digest", 20260101});
    }
    std::vector<std::string> Calls() { return std::exchange(view.calls, {}); }

    MemoryRegistry registry;
    RegistryStore store{registry};
    RecordingView view;
    UpdateSite site{"http://www.zelora.example/update/zl/update.qmu", "http://www.zelora.example/", "zelora"};
};

TEST_F(UpdateFlowTest, OnlyASignedManifestIsOfferedAndOnlyAnOfferConfirmed)
{
    UpdateFlow flow{store, view, site};
    Offer(flow, false, FailureCause::Stalled);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"debug ZeloraUpdate: manifest: stalled", "finish"}));
    EXPECT_TRUE(flow.Offered().empty());
    flow.StartPressed();
    flow.WorkerEnded({WorkerOutcome::AllInstalled});
    flow.OkPressed();
    EXPECT_TRUE(Calls().empty());
}

TEST_F(UpdateFlowTest, EveryEndOfTheRunIsToldByItsMessageAndItsCause)
{
    store.WriteString(RegRoot::LocalMachine, "SOFTWARE\\Tarnwick\\Quellmark\\Setup", "Install_Dir", "C:\\Zelora");
    struct Case {
        bool workerStarts;
        RunEnd end;
        std::vector<std::string> calls;  // once the worker was asked for
    };
    const Case cases[] = {
        {true, {WorkerOutcome::RowFailed, FailureCause::HashMismatch},
         {"debug ZeloraUpdate: Xvid: hash mismatch", std::string("tell ") + kDownloadFailed, "finish"}},
        {true, {WorkerOutcome::InstallerFailed, FailureCause::InstallerNotStarted},
         {"debug ZeloraUpdate: Xvid: installer not started", std::string("tell ") + kUpdateFailed, "finish"}},
        {false, {WorkerOutcome::RowFailed, FailureCause::NoWorker},
         {"debug ZeloraUpdate: Xvid: download thread not started", std::string("tell ") + kUpdateFailed, "finish"}},
        {true, {WorkerOutcome::AllInstalled}, {"stage 3 rows 0", "start C:\\Zelora\\Zelora.exe", "finish installed"}},
        {true, {WorkerOutcome::Cancelled}, {}},
    };
    for (const Case& c : cases) {
        UpdateFlow flow{store, view, site};
        view.workerStarts = c.workerStarts;
        Offer(flow);
        flow.OkPressed();  // not yet done: nothing
        flow.StartPressed();
        flow.StartPressed();  // a second press: nothing
        flow.WorkerEnded(c.end);  // no worker: never sent
        flow.OkPressed();
        std::vector<std::string> expected{"folder", "stage 1 rows 1", "stage 2 rows 0", "worker"};
        expected.insert(expected.end(), c.calls.begin(), c.calls.end());
        EXPECT_EQ(Calls(), expected) << CauseText(c.end.cause);
        EXPECT_EQ(flow.Failure(), c.end.cause);
    }
}

}  // namespace
}  // namespace zelora::updater
