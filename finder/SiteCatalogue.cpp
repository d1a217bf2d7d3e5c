#include "finder/SiteCatalogue.h"

#include "ProductHosts.h"
#include "platform/text/Text.h"

#include <array>

namespace zelora {
namespace {

using hosts::kCaptionSites;
using hosts::kMovieSites;
using hosts::kTicketSites;

constexpr std::string_view kScheme = "http://";
constexpr const char* kSetupKey = "Software\\Tarnwick\\Quellmark\\Setup";
constexpr const char* kQuickKey = "SOFTWARE\\Tarnwick\\Quellmark\\QuellFind";

constexpr std::string_view kBoardQuery =
    "&select_arrange=headnum&desc=asc&page_num=20&selected=&exec=&sn=off&ss=on&sc=off&category=&keyword=";

// The board prefixes share their long query tail; spelled out once above.
struct BoardPrefix {
    std::string text;
    explicit BoardPrefix(std::string_view path) : text(std::string(path) + std::string(kBoardQuery)) {}
};
const BoardPrefix kCinestPrefix("/zboard/zboard.php?id=data1");
const BoardPrefix kCaptionWorldPrefix("/bbs/zboard.php?id=new");
const BoardPrefix kHobbyPrefix("/zboard/zboard.php?id=pds1");

const SiteEntry kCaptionEntries[] = {
    {"시네스트", kCaptionSites[0], kCaptionSites[0], kCinestPrefix.text, "", "/zboard/zboard.php?id=data1"},
    {"엑스캡션", kCaptionSites[1], kCaptionSites[1], "/captioncenter/search_list.asp?kind=title&keyword=", "",
     "/captioncenter/caption-3.asp"},
    {"모나리오", kCaptionSites[2], kCaptionSites[2], "/store/caption_list.aspx?typesel=&stxt=", "&smode=title",
     "/store/inside.aspx"},
    {"캡션월드", kCaptionSites[3], kCaptionSites[3], kCaptionWorldPrefix.text, "", "/bbs/search.php"},
    {"하비동호회", kCaptionSites[4], kCaptionSites[4], kHobbyPrefix.text, "", "/zboard/zboard.php?id=pds1"},
    {"온디비", kCaptionSites[5], kCaptionSites[5], "/search.php?schtype=title&schtitle=", "", "/"},
};

const SiteEntry kMovieEntries[] = {
    {"네이버", kMovieSites[0], kMovieSites[0], "/movie/search/result.nhn?where=movie&query=", "", "/"},
    {"씨네서울", kMovieSites[1], kMovieSites[1], "/movies/search_new.html?searchType=1&searchString=", "", ""},
    {"무비스트", kMovieSites[2], kMovieSites[2], "/movies/search.asp?tp=title&title=", "", ""},
    {"엔키노", kMovieSites[3], kMovieSites[3], "/Search/SearchResult.asp?sa=TT&kwd=", "", ""},
    {"씨네21", hosts::kMovie4Search, kMovieSites[4], "/search.html?mode=total&keyword=", "", "/"},
    {"조이씨네", kMovieSites[5], kMovieSites[5], "/service/m_search/search_movonly_list.asp?mov_name=", "", "/"},
};

const SiteEntry kTicketEntries[] = {
    {"인터파크", kTicketSites[0], kTicketSites[0],
     "/Movie/main/IMSearch.asp?SearchFlag=G&Ca=&Ca_Menu=&Flag=Search&Head=&Font=&STxt=",
     "&image1.x=11&image1.y=5", "/Movie/"},
    {"티켓링크", kTicketSites[1], kTicketSites[1],
     "/ticketlink/community/index.jsp?LinkFile=/catalog/search/P_search.jsp&pername=", "",
     "/ticketlink/index.html"},
    {"맥스무비", kTicketSites[2], kTicketSites[2], "/max_search/search_movie.asp?query=", "", "/"},
};

constexpr std::array<std::string_view, kCategoryCount> kCategoryTexts = {
    "자막파일 검색", "영화정보 검색", "영화예매 검색"};
constexpr std::array<std::string_view, kCategoryCount> kPreferredSiteValues = {
    "Find_Site_Caption", "Find_Site_Movie", "Find_Site_Ticket"};

bool IsCategory(int category) { return category >= 0 && category < kCategoryCount; }

bool IsUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           c == '-' || c == '.' || c == '_' || c == '~';
}

}  // namespace

std::span<const std::string_view> CategoryTexts() { return kCategoryTexts; }

std::span<const SiteEntry> Sites(int category)
{
    switch (category) {
    case 0: return kCaptionEntries;
    case 1: return kMovieEntries;
    case 2: return kTicketEntries;
    default: return {};
    }
}

std::vector<std::string_view> SiteNames(int category)
{
    std::vector<std::string_view> names;
    for (const SiteEntry& site : Sites(category)) names.push_back(site.name);
    return names;
}

std::string_view PreferredSiteValueName(int category)
{
    return IsCategory(category) ? kPreferredSiteValues[static_cast<std::size_t>(category)]
                                : std::string_view{};
}

std::string PercentEncode(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 3);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsUnreserved(c)) {
            out += ch;
        } else {
            out += '%';
            out += HexDigit(c >> 4u, true);
            out += HexDigit(c, true);
        }
    }
    return out;
}

std::string BuildSearchAddress(int category, int site, std::string_view titleCp949,
                               std::string_view currentAddress)
{
    const std::span<const SiteEntry> sites = Sites(category);
    if (site < 0 || static_cast<std::size_t>(site) >= sites.size()) return std::string(currentAddress);
    const SiteEntry& entry = sites[static_cast<std::size_t>(site)];

    std::string address(kScheme);
    if (titleCp949.empty()) {
        address.append(entry.frontHost).append(entry.frontPath);
    } else {
        address.append(entry.searchHost).append(entry.searchPrefix);
        address.append(PercentEncode(titleCp949)).append(entry.searchSuffix);
    }
    return address;
}

std::string TitleToCp949(std::string_view utf8, const Cp949Encoder& encoder)
{
    const std::u16string units = Utf8ToUtf16(utf8);
    std::string bytes;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t ch = units[i];
        if (ch >= 0xD800 && ch < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000)
            ch = 0x10000 + ((ch - 0xD800) << 10) + (units[++i] - 0xDC00);
        if (!encoder.Encode(ch, bytes))
            bytes += "&#" + std::to_string(static_cast<std::uint32_t>(ch)) + ";";
    }
    return bytes;
}

int FinderSettings::LoadCategory()
{
    std::int32_t category = 0;
    m_store.LoadDword(RegRoot::LocalMachine, kSetupKey, "Find_Style", category, 0);
    return IsCategory(category) ? category : -1;
}

FinderSettings::SiteList FinderSettings::LoadSiteList(int category)
{
    SiteList list;
    if (!IsCategory(category)) return list;
    list.names = SiteNames(category);
    std::int32_t site = 0;
    m_store.LoadDword(RegRoot::LocalMachine, kSetupKey, PreferredSiteValueName(category), site, 0);
    if (site >= 0 && static_cast<std::size_t>(site) < list.names.size()) list.selection = site;
    return list;
}

int FinderSettings::LoadQuickSearch()
{
    std::int32_t quick = 0;
    m_store.LoadDword(RegRoot::LocalMachine, kQuickKey, "List_Quick", quick, 0);
    return quick != 0 ? 1 : 0;
}

void FinderSettings::SaveQuickSearch(int quickSearch)
{
    m_store.WriteDword(RegRoot::LocalMachine, kQuickKey, "List_Quick", quickSearch != 0 ? 1 : 0);
}

}  // namespace zelora
