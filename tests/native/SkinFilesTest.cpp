// The skin pictures are generated once and committed, so a Windows build can compile them
// without Python. These tests check the committed files against the tables both programs
// are built from: a picture that is missing, of the wrong size at some scale or that the
// programs' own decoder (or LoadImage, for icons) would reject shows up here instead of as
// a blank area at run time.

#include "pages/PageTable.h"
#include "platform/image/SkinArt.h"
#include "platform/ui/Dpi.h"
#include "resources/skin/Skin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#ifndef ZELORA_RESOURCES_DIR
#error "compile with -DZELORA_RESOURCES_DIR=\"<path of the resources folder>\""
#endif

namespace {

enum class Kind { Bitmap, Icon };

struct SkinEntry {
    Kind kind;
    int id;
    int width;   // bitmaps only
    int height;  // bitmaps only
    const char* file;
};

#define SKIN_BITMAP(id, width, height, file) SkinEntry{Kind::Bitmap, id, width, height, file},
#define SKIN_ICON(id, file) SkinEntry{Kind::Icon, id, 0, 0, file},
const std::vector<SkinEntry> kZeloraSkin = {
#include "../../resources/skin/SkinTableZelora.inc"
};
const std::vector<SkinEntry> kUpdateSkin = {
#include "../../resources/skin/SkinTableUpdate.inc"
};
#undef SKIN_BITMAP
#undef SKIN_ICON

struct Program {
    const char* name;
    const std::vector<SkinEntry>* table;
    const char* resourceScript;
    std::map<int, std::set<int>> requiredIcons;  // icon id -> image sizes it must contain
};

// The icons each program loads by id, and the sizes it draws them at: the window and
// taskbar icon (16, 32, 48) and the 20 x 20 image list of the codec lists.
const Program kPrograms[] = {
    {"Zelora", &kZeloraSkin, "ZeloraSkin.rc",
     {{zelora::skin::kAppIcon, {16, 32, 48}}, {zelora::skin::kRowUnticked, {20}},
      {zelora::skin::kRowTicked, {20}}}},
    {"ZeloraUpdate", &kUpdateSkin, "UpdateSkin.rc", {{zelora::update_skin::kUpdaterIcon, {16, 32, 48}}}},
};

void PrintTo(const Program& program, std::ostream* os) { *os << program.name; }

std::string SkinPath(const std::string& file) {
    return std::string(ZELORA_RESOURCES_DIR) + "/skin/" + file;
}

bool ReadFile(const std::string& path, std::vector<unsigned char>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

std::uint32_t U16(const std::vector<unsigned char>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8;
}

std::uint32_t U32(const std::vector<unsigned char>& b, std::size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}

std::int32_t I32(const std::vector<unsigned char>& b, std::size_t at) {
    return static_cast<std::int32_t>(U32(b, at));
}

std::uint32_t BigEndian32(const std::vector<unsigned char>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) << 24 | static_cast<std::uint32_t>(b[at + 1]) << 16 |
           static_cast<std::uint32_t>(b[at + 2]) << 8 | static_cast<std::uint32_t>(b[at + 3]);
}

// One resource script line: "<id> <type> "skin/<file>"".
struct ScriptLine {
    int id = 0;
    std::string type;
    std::string file;
};

std::vector<ScriptLine> ReadScript(const std::string& name) {
    std::vector<ScriptLine> lines;
    std::ifstream rc(SkinPath(name));
    std::string line;
    while (std::getline(rc, line)) {
        if (line.empty()) continue;
        std::istringstream fields(line);
        ScriptLine parsed;
        std::string path;
        fields >> parsed.id >> parsed.type >> path;
        const bool quoted = path.size() > 7 && path.front() == '"' && path.back() == '"' &&
                            path.compare(1, 5, "skin/") == 0;
        parsed.file = quoted ? path.substr(6, path.size() - 7) : "";
        lines.push_back(parsed);
    }
    return lines;
}

std::string ArtType(int dpi) { return "SKIN" + std::to_string(dpi); }

// The pictures as windres compiles them into a program: the files its script names.
class ScriptedArt final : public zelora::SkinArtSource {
public:
    explicit ScriptedArt(const std::string& script) {
        for (const ScriptLine& line : ReadScript(script)) {
            std::vector<unsigned char> bytes;
            if (!line.file.empty() && ReadFile(SkinPath(line.file), bytes)) m_files[{line.type, line.id}] = bytes;
        }
    }
    std::span<const std::uint8_t> Picture(int id, int artDpi) override { return Find(ArtType(artDpi), id); }
    std::span<const std::uint8_t> Palettes(int artDpi) override { return Find("SKINPALETTES", artDpi); }

private:
    std::span<const std::uint8_t> Find(const std::string& type, int id) {
        const auto found = m_files.find({type, id});
        return found == m_files.end() ? std::span<const std::uint8_t>{} : found->second;
    }
    std::map<std::pair<std::string, int>, std::vector<unsigned char>> m_files;
};

// Empty when b is an icon file whose every image is well formed (a BMP-style image with
// its colour and mask rows, or a PNG); the square image sizes found go into sizes.
std::string IcoProblem(const std::vector<unsigned char>& b, std::set<int>& sizes) {
    if (b.size() < 6) return "shorter than the icon header";
    if (U16(b, 0) != 0 || U16(b, 2) != 1) return "not an icon header (reserved 0, type 1)";
    const std::size_t count = U16(b, 4);
    if (count == 0) return "no images";
    const std::size_t directoryEnd = 6 + 16 * count;
    if (directoryEnd > b.size()) return "directory runs past the file";
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const int w = b[entry] == 0 ? 256 : b[entry];
        const int h = b[entry + 1] == 0 ? 256 : b[entry + 1];
        const std::size_t bytes = U32(b, entry + 8);
        const std::size_t offset = U32(b, entry + 12);
        std::ostringstream where;
        where << "image " << i << " (" << w << " x " << h << "): ";
        if (w != h) return where.str() + "not square";
        if (offset < directoryEnd || offset + bytes > b.size() || bytes < 40)
            return where.str() + "data outside the file";
        static const unsigned char kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        if (std::equal(std::begin(kPng), std::end(kPng), b.begin() + static_cast<std::ptrdiff_t>(offset))) {
            if (BigEndian32(b, offset + 16) != static_cast<std::uint32_t>(w) ||
                BigEndian32(b, offset + 20) != static_cast<std::uint32_t>(h))
                return where.str() + "PNG size differs from the directory";
        } else {
            if (U32(b, offset) != 40) return where.str() + "no BITMAPINFOHEADER";
            if (I32(b, offset + 4) != w || I32(b, offset + 8) != 2 * h)
                return where.str() + "header size is not width x (2 x height)";
            const std::uint32_t bits = U16(b, offset + 14);
            if (U16(b, offset + 12) != 1 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
                return where.str() + "bad planes or bit count";
            if (U32(b, offset + 16) != 0) return where.str() + "compressed";
            std::size_t palette = 0;
            if (bits <= 8) palette = U32(b, offset + 32) != 0 ? U32(b, offset + 32) : (1u << bits);
            const std::size_t colourStride = (static_cast<std::size_t>(w) * bits + 31) / 32 * 4;
            const std::size_t maskStride = (static_cast<std::size_t>(w) + 31) / 32 * 4;
            if (40 + palette * 4 + (colourStride + maskStride) * static_cast<std::size_t>(h) > bytes)
                return where.str() + "colour or mask rows missing";
        }
        if (!sizes.insert(w).second) return where.str() + "size appears twice";
    }
    return {};
}

std::string Describe(const Program& program, const SkinEntry& e) {
    std::ostringstream out;
    out << program.name << (e.kind == Kind::Bitmap ? " bitmap " : " icon ") << e.id << " (" << e.file << ")";
    return out.str();
}

class SkinFiles : public ::testing::TestWithParam<Program> {};

// The scales Windows offers from 100 to 200 %: the stored ones as they are, the others
// made from them.
constexpr int kDpis[] = {96, 120, 144, 168, 192};

TEST_P(SkinFiles, EveryBitmapDecodesAtEveryScaleToItsScaledTableSize) {
    const Program& program = GetParam();
    ScriptedArt files(program.resourceScript);
    zelora::SkinArt art(files, zelora::skin::kArtDpis);
    int bitmaps = 0;
    for (const SkinEntry& e : *program.table) {
        if (e.kind != Kind::Bitmap) continue;
        ++bitmaps;
        for (int dpi : kDpis) {
            SCOPED_TRACE(Describe(program, e) + " at " + std::to_string(dpi) + " DPI");
            const std::optional<zelora::DibImage> image = art.Load(e.id, dpi);
            ASSERT_TRUE(image) << "the decoder rejects it";
            EXPECT_EQ(image->width, zelora::ScaleForDpi(e.width, dpi));
            EXPECT_EQ(image->height, zelora::ScaleForDpi(e.height, dpi));
        }
    }
    EXPECT_GT(bitmaps, 0);
}

TEST_P(SkinFiles, EveryIconIsAValidIconWithTheSizesTheProgramDraws) {
    const Program& program = GetParam();
    std::set<int> iconsSeen;
    for (const SkinEntry& e : *program.table) {
        if (e.kind != Kind::Icon) continue;
        SCOPED_TRACE(Describe(program, e));
        iconsSeen.insert(e.id);
        std::vector<unsigned char> bytes;
        ASSERT_TRUE(ReadFile(SkinPath(e.file), bytes)) << "cannot read " << SkinPath(e.file);
        std::set<int> sizes;
        EXPECT_EQ(IcoProblem(bytes, sizes), "");
        const auto required = program.requiredIcons.find(e.id);
        if (required == program.requiredIcons.end()) continue;
        for (int size : required->second) EXPECT_EQ(sizes.count(size), 1u) << "no " << size << " px image";
    }
    for (const auto& [id, sizes] : program.requiredIcons)
        EXPECT_EQ(iconsSeen.count(id), 1u) << program.name << " lacks icon " << id;
}

TEST_P(SkinFiles, NoIdAppearsTwice) {
    const Program& program = GetParam();
    std::set<std::pair<Kind, int>> seen;
    for (const SkinEntry& e : *program.table)
        EXPECT_TRUE(seen.insert({e.kind, e.id}).second) << Describe(program, e) << " is listed twice";
}

// The resource script is what windres compiles, the table is what the tests and the
// programs' own checks read: both come from the generator and must agree line for line.
TEST_P(SkinFiles, ResourceScriptListsExactlyTheTable) {
    const Program& program = GetParam();
    std::set<std::string> script;  // "SKIN96 180", "ICON 300 ico_300.ico"
    for (const ScriptLine& line : ReadScript(program.resourceScript)) {
        ASSERT_FALSE(line.file.empty()) << "path must be \"skin/<file>\": " << line.id << " " << line.type;
        script.insert(line.type + " " + std::to_string(line.id) + (line.type == "ICON" ? " " + line.file : ""));
    }
    std::set<std::string> table;
    for (int dpi : zelora::skin::kArtDpis) table.insert("SKINPALETTES " + std::to_string(dpi));
    for (const SkinEntry& e : *program.table) {
        if (e.kind == Kind::Icon) table.insert("ICON " + std::to_string(e.id) + " " + e.file);
        else
            for (int dpi : zelora::skin::kArtDpis) table.insert(ArtType(dpi) + " " + std::to_string(e.id));
    }
    std::vector<std::string> onlyInScript;
    std::vector<std::string> onlyInTable;
    std::set_difference(script.begin(), script.end(), table.begin(), table.end(), std::back_inserter(onlyInScript));
    std::set_difference(table.begin(), table.end(), script.begin(), script.end(), std::back_inserter(onlyInTable));
    EXPECT_TRUE(onlyInScript.empty()) << "in the script only: " << ::testing::PrintToString(onlyInScript);
    EXPECT_TRUE(onlyInTable.empty()) << "in the table only: " << ::testing::PrintToString(onlyInTable);
}

std::string ProgramName(const ::testing::TestParamInfo<Program>& tested) { return tested.param.name; }

INSTANTIATE_TEST_SUITE_P(BothPrograms, SkinFiles, ::testing::ValuesIn(kPrograms), ProgramName);

// Both programs' pictures share one folder; a file name used by both must be the same
// picture for both (same kind and size), or one program would load the other's image.
TEST(SkinFilesShared, FileNamesDoNotCollideBetweenThePrograms) {
    std::map<std::string, const SkinEntry*> zelora;
    for (const SkinEntry& e : kZeloraSkin) zelora[e.file] = &e;
    for (const SkinEntry& e : kUpdateSkin) {
        const auto other = zelora.find(e.file);
        if (other == zelora.end()) continue;
        EXPECT_TRUE(other->second->kind == e.kind && other->second->width == e.width &&
                    other->second->height == e.height)
            << e.file << " is a different picture in the two programs";
    }
}

// A page copies each of its bitmaps from inside that picture onto inside the page.
TEST(SkinFilesPages, EveryPageBitmapLiesInsideItsPictureAndItsPage) {
    for (const zelora::PageRow& page : zelora::kPages) {
        if (page.decoder == nullptr) continue;
        for (const zelora::SkinBitmap& bitmap : page.decoder->bitmaps) {
            SCOPED_TRACE(::testing::Message() << page.name << ", bitmap " << bitmap.id);
            const auto picture = std::find_if(kZeloraSkin.begin(), kZeloraSkin.end(),
                [&](const SkinEntry& e) { return e.kind == Kind::Bitmap && e.id == bitmap.id; });
            ASSERT_NE(picture, kZeloraSkin.end());
            const zelora::Place& at = bitmap.place;
            EXPECT_TRUE(at.width <= picture->width && at.height <= picture->height);
            EXPECT_TRUE(at.x >= 0 && at.y >= 0 && at.x + at.width <= zelora::kPageWidth &&
                        at.y + at.height <= zelora::kPageHeight);
        }
    }
}

}  // namespace
