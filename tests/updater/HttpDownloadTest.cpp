// The downloader against the loopback server: only a whole 200 answer leaves a file, and
// no answer leaves a ".part" behind.
#include "updater/HttpDownload.h"
#include "updater/UpdaterTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace zelora::updater {
namespace {

using namespace updatertest;

class HttpDownloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!loopback.Available()) GTEST_SKIP() << "no loopback server (run through scripts/test.sh)";
        loopback.Serve("dl.zelora.example", "/codec.bin", kBody);
        loopback.Routes(R"({
            "/nolength.bin": {"file": "dl.zelora.example/codec.bin", "no_length": true},
            "/moved.bin": {"status": 302, "location": "http://dl.zelora.example/codec.bin"},
            "/missing.bin": {"status": 404},
            "/broken.bin": {"status": 500, "file": "dl.zelora.example/codec.bin"},
            "/cut.bin": {"file": "dl.zelora.example/codec.bin", "cut_after": 1000},
            "/stall.bin": {"file": "dl.zelora.example/codec.bin", "stall": 20}
        })");
    }

    const std::string kBody = std::string(5000, 'z') + "end";
    Loopback loopback;
    ScratchFolder folder{L"zelora-download"};
    DownloadOptions options{5000, 5000, {}};
};

TEST_F(HttpDownloadTest, OnlyAWholeSuccessfulAnswerCounts)
{
    struct Case {
        const char* url;
        DownloadResult expected;
        FailureCause cause = FailureCause::None;
    };
    const Case cases[] = {
        {"http://dl.zelora.example/codec.bin", DownloadResult::Ok},
        {"http://dl.zelora.example/nolength.bin", DownloadResult::Ok},
        {"http://dl.zelora.example/moved.bin", DownloadResult::Ok},
        {"http://dl.zelora.example/missing.bin", DownloadResult::Failed, FailureCause::HttpStatus},
        {"http://dl.zelora.example/broken.bin", DownloadResult::Failed, FailureCause::HttpStatus},
        {"http://dl.zelora.example/cut.bin", DownloadResult::Failed, FailureCause::WrongSize},
        {"ftp://dl.zelora.example/codec.bin", DownloadResult::Failed, FailureCause::AddressRefused},
    };
    for (const Case& c : cases) {
        const fs::path target = folder.Path() / L"codec.exe";
        std::uint64_t lastReceived = 0;
        const DownloadOutcome result = DownloadFile(
            c.url, target.wstring(), options, nullptr,
            [&](std::uint64_t received, std::uint64_t) { lastReceived = received; });
        EXPECT_EQ(result.result, c.expected) << c.url;
        EXPECT_EQ(result.cause, c.cause) << c.url;
        EXPECT_FALSE(fs::exists(target.wstring() + L".part")) << c.url;
        EXPECT_EQ(fs::exists(target), c.expected == DownloadResult::Ok) << c.url;
        if (c.expected == DownloadResult::Ok) {
            EXPECT_EQ(ReadText(target), kBody) << c.url;
            EXPECT_EQ(lastReceived, kBody.size()) << c.url;
        }
        fs::remove(target);
    }
}

TEST_F(HttpDownloadTest, RefusedConnectionFails)
{
    // Port 1 of the loopback address: nothing listens there, so the connection is refused.
    DownloadOptions refused = options;
    refused.proxy = L"127.0.0.1:1";
    const fs::path target = folder.Path() / L"codec.exe";
    const DownloadOutcome result = DownloadFile("http://dl.zelora.example/codec.bin", target.wstring(), refused);
    EXPECT_EQ(result.result, DownloadResult::Failed);
    EXPECT_EQ(result.cause, FailureCause::NoConnection);
    EXPECT_TRUE(fs::is_empty(folder.Path()));
}

TEST_F(HttpDownloadTest, CancelStopsAStalledDownload)
{
    const fs::path target = folder.Path() / L"codec.exe";
    DownloadCancel cancel;
    std::atomic<bool> finished = false;
    DownloadOutcome result{DownloadResult::Ok};
    std::thread worker([&] {
        result = DownloadFile("http://dl.zelora.example/stall.bin", target.wstring(), {5000, 3000, {}}, &cancel);
        finished = true;
    });
    ::Sleep(500);
    EXPECT_FALSE(finished);
    cancel.Cancel();
    worker.join();
    EXPECT_EQ(result.result, DownloadResult::Cancelled);
    EXPECT_TRUE(fs::is_empty(folder.Path()));
}

}  // namespace
}  // namespace zelora::updater
