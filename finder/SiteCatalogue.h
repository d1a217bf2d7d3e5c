#pragma once
// The finder's fifteen search sites in three categories, the addresses built from a
// category, a site and a typed title, and the stored preferences that pick them.

#include "platform/registry/RegistryStore.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelora {

// Item index of the category list; anything outside 0..2 (say -1) means no category.
inline constexpr int kCategoryCount = 3;

struct SiteEntry {
    std::string_view name;          // shown in the site list
    std::string_view searchHost;
    std::string_view frontHost;     // the same host except for one site
    std::string_view searchPrefix;  // path and query up to the key that takes the title
    std::string_view searchSuffix;
    std::string_view frontPath;     // empty: the bare host, without a trailing slash
};

std::span<const std::string_view> CategoryTexts();
// The category's sites in site-list order; empty for a category that is none.
std::span<const SiteEntry> Sites(int category);
std::vector<std::string_view> SiteNames(int category);
// "Find_Site_Caption", "Find_Site_Movie", "Find_Site_Ticket"; empty for no category.
std::string_view PreferredSiteValueName(int category);

// Every byte outside the unreserved set as %XX (a blank too), so a title's "&", "#", "%"
// and "+" arrive as typed and its code page 949 bytes arrive as the sites decode them.
std::string PercentEncode(std::string_view bytes);

// The address to show: the site's front page for an empty title (a blank is a title), its
// search page with the percent-encoded title otherwise, or `currentAddress` unchanged when
// category and site do not name a site. `titleCp949` is the title in code page 949 bytes.
std::string BuildSearchAddress(int category, int site, std::string_view titleCp949,
                               std::string_view currentAddress);

// Code page 949 of one character: false when the code page lacks it.
class Cp949Encoder {
public:
    virtual ~Cp949Encoder() = default;
    virtual bool Encode(char32_t ch, std::string& bytes) const = 0;
};

// The title's code page 949 bytes. A character the code page lacks becomes "&#N;" (N its
// decimal code point), as a browser submits such a character in a code-page form.
std::string TitleToCp949(std::string_view utf8, const Cp949Encoder& encoder);

// The stored preferences, read with RegistryStore::LoadDword (a missing value becomes 0 and
// is written back).
class FinderSettings {
public:
    explicit FinderSettings(RegistryStore& store) : m_store(store) {}

    // "Find_Style": the category to select; a stored number outside 0..2 gives -1 (none).
    int LoadCategory();
    // The site list for `category` and the stored preferred site to select in it (-1 when
    // the stored index is outside the list). No category: an empty list, nothing read.
    struct SiteList {
        std::vector<std::string_view> names;
        int selection = -1;
    };
    SiteList LoadSiteList(int category);
    // "List_Quick" as 0 or 1 (any stored number other than 0 counts as ticked).
    int LoadQuickSearch();
    void SaveQuickSearch(int quickSearch);

private:
    RegistryStore& m_store;
};

}  // namespace zelora
