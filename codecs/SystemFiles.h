#pragma once
// The file system as the decoders' registrations see it: the Codec Connect page's probe of
// whether a registered decoder's file is there.

#include "codecs/FilterInventory.h"

#include <string_view>

namespace zelora {

class SystemFiles final : public FileProbe {
public:
    bool Exists(std::string_view path) const override;
};

}  // namespace zelora
