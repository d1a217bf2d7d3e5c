#pragma once
// Where the updater looks: the product's web server (the manifest) and its home page.

#include <string>
#include <string_view>

namespace zelora::updater {

inline constexpr std::string_view kManifestPath = "/update/zl/update.qmu";

struct UpdateSite {
    std::string manifestUrl;
    std::string homePage;  // opened when the manifest names no usable page
    std::string homeHost;  // named in the reminder text
};

// The shipped build's site, from the build configuration.
UpdateSite ProductUpdateSite();

}  // namespace zelora::updater
