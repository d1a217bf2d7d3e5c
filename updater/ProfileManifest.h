#pragma once
// The manifest file read with the system's private-profile functions, values whole.

#include "updater/ManifestReader.h"

namespace zelora::updater {

class ProfileManifest final : public ManifestReader {
public:
    explicit ProfileManifest(std::wstring path) : m_path(std::move(path)) {}
    std::optional<std::string> Value(std::string_view section, std::string_view key) const override;

private:
    std::wstring m_path;
};

}  // namespace zelora::updater
