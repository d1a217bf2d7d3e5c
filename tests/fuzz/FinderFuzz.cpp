// The finder's search addresses over random titles, categories and sites, and its stored
// preferences over a registry holding values of every type and size: an address is the
// current one when category and site name no site, the site's front page for an empty
// title, else its search page carrying exactly the title's bytes, percent-encoded with
// nothing a query could split on; the preferences read only what they name and write only
// the defaults of missing values.
#include "fuzz/FuzzRegistry.h"

#include "finder/SiteCatalogue.h"
#include "platform/text/Text.h"

namespace zelora::fuzz {
namespace {

constexpr RegRoot kHklm = RegRoot::LocalMachine;
constexpr std::string_view kSetupKey = "Software\\Tarnwick\\Quellmark\\Setup";
constexpr std::string_view kQuickKey = "SOFTWARE\\Tarnwick\\Quellmark\\QuellFind";

// Code page 949 for ASCII and the Hangul syllables (their two bytes made up, both above
// 0x80 as the code page's are); nothing else, so every title also meets characters the code
// page lacks.
class SyllableEncoder final : public Cp949Encoder {
public:
    bool Encode(char32_t ch, std::string& bytes) const override
    {
        if (ch < 0x80) {
            bytes += static_cast<char>(ch);
            return true;
        }
        if (ch < 0xAC00 || ch > 0xD7A3) return false;
        const char32_t offset = ch - 0xAC00;
        bytes += static_cast<char>(0x81 + offset / 190);
        bytes += static_cast<char>(0x41 + offset % 190);
        return true;
    }
};

std::string RandomTitle(Random& random)
{
    constexpr std::string_view kTitles[] = {"",     " ",    "a&b#c%d+e", "Tom & Jerry", "%41",
                                            "한글", "?q=1", "😀",         "漢字",        "a\tb\nc"};
    if (random.Chance(30)) return std::string(random.Pick(kTitles));
    std::string title;
    const auto length = random.Below(24);
    for (std::uint64_t i = 0; i < length; ++i) {
        switch (random.Below(4)) {
            case 0: title += static_cast<char>(random.Between(0x20, 0x7E)); break;
            case 1:
                title += Utf16ToUtf8(
                    std::u16string(1, static_cast<char16_t>(random.Between(0xAC00, 0xD7A3))));
                break;
            case 2: title += static_cast<char>(random.Below(256)); break;  // not UTF-8
            default: title += random.Pick(kTitles); break;
        }
    }
    return title;
}

bool IsUnreserved(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The bytes an encoded text stands for; nothing when it holds anything but unreserved
// characters and complete %XX escapes.
std::optional<std::string> PercentDecoded(std::string_view encoded)
{
    std::string bytes;
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        if (IsUnreserved(encoded[i])) {
            bytes += encoded[i];
            continue;
        }
        if (encoded[i] != '%' || i + 2 >= encoded.size()) return std::nullopt;
        const int high = HexDigit(encoded[i + 1]);
        const int low = HexDigit(encoded[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return bytes;
}

void CheckAddress(Random& random)
{
    const int category = static_cast<int>(random.Between(-2, kCategoryCount + 1));
    const int site = static_cast<int>(random.Between(-2, 17));
    const std::string title = RandomTitle(random);
    const std::string bytes = TitleToCp949(title, SyllableEncoder());
    Require(bytes.empty() == title.empty(), "a title lost or gained all its bytes");

    const std::string current = random.Chance(50) ? "http://example.invalid/now" : "";
    const std::string address = BuildSearchAddress(category, site, bytes, current);
    const std::span<const SiteEntry> sites = Sites(category);
    if (site < 0 || static_cast<std::size_t>(site) >= sites.size()) {
        Require(address == current, "an address for no site");
        return;
    }
    const SiteEntry& entry = sites[static_cast<std::size_t>(site)];
    if (bytes.empty()) {
        Require(address == "http://" + std::string(entry.frontHost) + std::string(entry.frontPath),
                "an empty title does not open the front page");
        return;
    }
    const std::string head =
        "http://" + std::string(entry.searchHost) + std::string(entry.searchPrefix);
    const std::string_view tail = entry.searchSuffix;
    Require(address.size() >= head.size() + tail.size() &&
                address.compare(0, head.size(), head) == 0 &&
                address.compare(address.size() - tail.size(), tail.size(), tail) == 0,
            "the search address is not the site's");
    const std::string_view encoded =
        std::string_view(address).substr(head.size(), address.size() - head.size() - tail.size());
    Require(PercentDecoded(encoded) == bytes,
            "the title is not carried exactly, or carries a character a query splits on");
}

void CheckPercentEncode(Random& random)
{
    const auto raw = random.Bytes(random.Below(40));
    const std::string bytes(raw.begin(), raw.end());
    Require(PercentDecoded(PercentEncode(bytes)) == bytes, "percent-encoding loses bytes");
}

// The preferences: each load reads its one value and writes only its missing default.
void CheckSettings(Random& random)
{
    MemoryRegistry memory;
    CountingRegistry counting(memory);
    RegistryStore store(counting);
    FinderSettings settings(store);
    const std::string names[] = {"Find_Style", "Find_Site_Caption", "Find_Site_Movie",
                                 "Find_Site_Ticket"};
    constexpr std::int32_t kNumbers[] = {-1, 0, 1, 2, 3, 5, 6, 9};
    for (const std::string& name : names) {
        if (!random.Chance(70)) continue;
        const StoredValue value = RandomValue(random, {kNumbers});
        memory.SetValue(kHklm, kSetupKey, CaseVariant(random, name), value.type, value.data.data(),
                        static_cast<std::uint32_t>(value.data.size()));
    }
    if (random.Chance(70)) {
        const StoredValue value = RandomValue(random, {kNumbers});
        memory.SetValue(kHklm, kQuickKey, "List_Quick", value.type, value.data.data(),
                        static_cast<std::uint32_t>(value.data.size()));
    }
    const RegistrySnapshot before = TakeSnapshot(memory);
    auto loads = [&](const ValueAddress& address, std::int32_t fallback, ExpectedWrites& writes) {
        const auto number = LoadedNumber(before, address);
        if (!number) {
            writes.values[address] = DwordValue(fallback);
            ++writes.calls;
        }
        return number ? *number : fallback;
    };

    ExpectedWrites writes;
    const std::int32_t style = loads(AddressOf(kHklm, kSetupKey, "Find_Style"), 0, writes);
    const int category = settings.LoadCategory();
    Require(category == (style >= 0 && style < kCategoryCount ? style : -1),
            "a stored category outside 0..2 is not none");

    const int asked = static_cast<int>(random.Between(-2, kCategoryCount + 1));
    const FinderSettings::SiteList list = settings.LoadSiteList(asked);
    if (asked >= 0 && asked < kCategoryCount) {
        const std::int32_t site =
            loads(AddressOf(kHklm, kSetupKey, PreferredSiteValueName(asked)), 0, writes);
        Require(list.names == SiteNames(asked), "the site list is another category's");
        Require(list.selection ==
                    (site >= 0 && static_cast<std::size_t>(site) < list.names.size() ? site : -1),
                "the stored site selects another");
    } else {
        Require(list.names.empty() && list.selection == -1, "no category lists sites");
    }

    const std::int32_t quick = loads(AddressOf(kHklm, kQuickKey, "List_Quick"), 0, writes);
    Require(settings.LoadQuickSearch() == (quick != 0 ? 1 : 0), "quick search is not 0 or 1");
    CheckWrites(before, TakeSnapshot(memory), writes, counting.Counts(), "the finder's loads");
}

void OneInput(Random& random)
{
    CheckAddress(random);
    CheckPercentEncode(random);
    CheckSettings(random);
}

}  // namespace
}  // namespace zelora::fuzz

int main(int argc, char** argv)
{
    return zelora::fuzz::RunDriver(argc, argv, "finder", zelora::fuzz::OneInput);
}
