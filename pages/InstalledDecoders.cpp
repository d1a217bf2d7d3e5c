#include "pages/InstalledDecoders.h"

namespace zelora {
namespace {

// Read and written on the GUI thread only.
std::array<bool, kDecoderNames.size()> g_installed{};

}  // namespace

std::optional<Decoder> InstalledDecoders::Find(std::string_view name)
{
    for (std::size_t i = 0; i < kDecoderNames.size(); ++i)
        if (kDecoderNames[i] == name) return static_cast<Decoder>(i);
    return std::nullopt;
}

void InstalledDecoders::MarkInstalled(std::string_view name)
{
    if (const auto decoder = Find(name)) g_installed[static_cast<std::size_t>(*decoder)] = true;
}

bool InstalledDecoders::IsInstalled(Decoder decoder)
{
    return g_installed[static_cast<std::size_t>(decoder)];
}

bool InstalledDecoders::IsInstalled(std::string_view name)
{
    const auto decoder = Find(name);
    return decoder && IsInstalled(*decoder);
}

void InstalledDecoders::ResetForTests() { g_installed.fill(false); }

}  // namespace zelora
