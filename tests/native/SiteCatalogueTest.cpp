// The finder's address building and its stored preferences.
#include "ProductHosts.h"
#include "finder/SiteCatalogue.h"
#include "platform/registry/MemoryRegistry.h"

#include <gtest/gtest.h>

namespace zelora {
namespace {

// Knows ASCII and two Hangul syllables (their code page 949 bytes), lacks all else.
class FewCharsEncoder final : public Cp949Encoder {
public:
    bool Encode(char32_t ch, std::string& bytes) const override
    {
        if (ch < 0x80) bytes += static_cast<char>(ch);
        else if (ch == U'한') bytes += "\xC7\xD1";
        else if (ch == U'글') bytes += "\xB1\xDB";
        else return false;
        return true;
    }
};

std::string Http(std::string_view host, std::string_view rest = "")
{
    return "http://" + std::string(host) + std::string(rest);
}

TEST(SiteCatalogue, BuildSearchAddress)
{
    const FewCharsEncoder encoder;
    const std::string current = "http://previous.example/";
    struct Case {
        int category;
        int site;
        std::string title;  // UTF-8, as typed
        std::string expected;
    };
    const Case cases[] = {
        {1, 1, "", Http(hosts::kMovieSites[1])},  // the bare front page, no slash
        {1, 0, "", Http(hosts::kMovieSites[0], "/")},
        {2, 1, "", Http(hosts::kTicketSites[1], "/ticketlink/index.html")},
        {0, 2, "abc", Http(hosts::kCaptionSites[2], "/store/caption_list.aspx?typesel=&stxt=abc&smode=title")},
        {2, 0, "abc",
         Http(hosts::kTicketSites[0], "/Movie/main/IMSearch.asp?SearchFlag=G&Ca=&Ca_Menu=&Flag=Search&Head=&Font="
                                      "&STxt=abc&image1.x=11&image1.y=5")},
        {0, 0, "x",
         Http(hosts::kCaptionSites[0], "/zboard/zboard.php?id=data1&select_arrange=headnum&desc=asc&page_num=20"
                                       "&selected=&exec=&sn=off&ss=on&sc=off&category=&keyword=x")},
        {0, 1, " ", Http(hosts::kCaptionSites[1], "/captioncenter/search_list.asp?kind=title&keyword=%20")},
        {0, 5, "a&b#c%d+e", Http(hosts::kCaptionSites[5], "/search.php?schtype=title&schtitle=a%26b%23c%25d%2Be")},
        {1, 4, "한글 2", Http(hosts::kMovie4Search, "/search.html?mode=total&keyword=%C7%D1%B1%DB%202")},
        {1, 4, "", Http(hosts::kMovieSites[4], "/")},
        {2, 2, "a\xF0\x9F\x98\x80-_.~",  // a character the code page lacks, then unreserved ones
         Http(hosts::kTicketSites[2], "/max_search/search_movie.asp?query=a%26%23128512%3B-_.~")},
        {-1, 0, "abc", current},
        {3, 0, "abc", current},
        {0, -1, "abc", current},
        {0, 6, "abc", current},
        {2, 3, "", current},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.category << "/" << c.site << " '" << c.title << "'");
        EXPECT_EQ(BuildSearchAddress(c.category, c.site, TitleToCp949(c.title, encoder), current),
                  c.expected);
    }
}

class FinderSettingsTest : public testing::Test {
protected:
    static constexpr const char* kSetup = "Software\\Tarnwick\\Quellmark\\Setup";
    std::int32_t Stored(const char* path, const char* name)
    {
        return m_store.ReadDword(RegRoot::LocalMachine, path, name);
    }
    void Store(const char* path, const char* name, std::int32_t value)
    {
        m_store.WriteDword(RegRoot::LocalMachine, path, name, value);
    }

    MemoryRegistry m_registry;
    RegistryStore m_store{m_registry};
    FinderSettings m_settings{m_store};
};

TEST_F(FinderSettingsTest, SiteListFill)
{
    // Missing: the first site, and 0 is written back.
    FinderSettings::SiteList list = m_settings.LoadSiteList(1);
    ASSERT_EQ(list.names.size(), 6u);
    EXPECT_EQ(list.names[0], "네이버");
    EXPECT_EQ(list.selection, 0);
    EXPECT_EQ(Stored(kSetup, "Find_Site_Movie"), 0);

    Store(kSetup, "Find_Site_Ticket", 2);
    EXPECT_EQ(m_settings.LoadSiteList(2).selection, 2);
    Store(kSetup, "Find_Site_Caption", 9);  // beyond the list: nothing selected
    list = m_settings.LoadSiteList(0);
    EXPECT_EQ(list.names.size(), 6u);
    EXPECT_EQ(list.selection, -1);
    EXPECT_EQ(Stored(kSetup, "Find_Site_Caption"), 9);

    // No category: nothing listed, nothing read or written.
    for (int none : {-1, 3, 5}) {
        list = m_settings.LoadSiteList(none);
        EXPECT_TRUE(list.names.empty());
        EXPECT_EQ(list.selection, -1);
    }
    std::vector<std::string> names;
    m_registry.EnumValueNames(RegRoot::LocalMachine, kSetup, KeyOpen::ExistingOnly, names);
    EXPECT_EQ(names.size(), 3u);
}

TEST_F(FinderSettingsTest, StoredCategoryAndQuickSearchAreClamped)
{
    EXPECT_EQ(m_settings.LoadCategory(), 0);
    EXPECT_EQ(Stored(kSetup, "Find_Style"), 0);
    for (auto [stored, expected] : {std::pair{2, 2}, {3, -1}, {-1, -1}}) {
        Store(kSetup, "Find_Style", stored);
        EXPECT_EQ(m_settings.LoadCategory(), expected) << stored;
    }

    const char* quickKey = "SOFTWARE\\Tarnwick\\Quellmark\\QuellFind";
    EXPECT_EQ(m_settings.LoadQuickSearch(), 0);
    EXPECT_EQ(Stored(quickKey, "List_Quick"), 0);
    Store(quickKey, "List_Quick", 2);
    EXPECT_EQ(m_settings.LoadQuickSearch(), 1);
    m_settings.SaveQuickSearch(1);
    EXPECT_EQ(Stored(quickKey, "List_Quick"), 1);
}

}  // namespace
}  // namespace zelora
