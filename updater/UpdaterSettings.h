#pragma once
// Where the updater looks and how long it waits: the product's site and signing key, with
// the delays and deadlines the tests shorten.

#include "updater/HttpDownload.h"
#include "updater/ManifestRules.h"
#include "updater/ManifestSignature.h"
#include "updater/UpdateSite.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace zelora::updater {

struct UpdaterSettings {
    UpdateSite site;
    P256PublicKey key = ProductUpdateKey();  // the manifest's signer
    UINT startDelayMs = 20000;
    UINT cleanUpDelayMs = 10000;
    std::uint64_t manifestDeadlineMs = kManifestDeadlineMs;
    DownloadOptions download;
    std::wstring tempParent;  // where the run's folder goes; empty: the user's temp folder
};

}  // namespace zelora::updater
