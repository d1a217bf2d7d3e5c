#include "updater/UpdateSite.h"

#include "ProductHosts.h"

namespace zelora::updater {

UpdateSite ProductUpdateSite()
{
    return {"http://" + std::string(hosts::kProductWeb) + std::string(kManifestPath),
            hosts::kProductHomePage, hosts::kProductHome};
}

}  // namespace zelora::updater
