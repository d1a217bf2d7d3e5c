#include "platform/registry/RegFile.h"

#include "platform/text/Text.h"

#include <optional>

namespace zelora {
namespace {

constexpr RegRoot kRoots[] = {RegRoot::CurrentUser, RegRoot::LocalMachine, RegRoot::ClassesRoot};
// Regedit starts a new line once a hex line passes this many characters.
constexpr std::size_t kHexLineWidth = 76;

// ---------------------------------------------------------------------------------------
// Writing

void Append(std::u16string& out, std::string_view ascii) { out.append(ascii.begin(), ascii.end()); }

void AppendHexByte(std::u16string& out, unsigned value)
{
    out += static_cast<char16_t>(HexDigit(value >> 4));
    out += static_cast<char16_t>(HexDigit(value));
}

void AppendQuoted(std::u16string& out, std::u16string_view text)
{
    out += u'"';
    for (char16_t unit : text) {
        if (unit == u'\\' || unit == u'"') out += u'\\';
        out += unit;
    }
    out += u'"';
}

std::u16string Units(const std::vector<unsigned char>& data)
{
    std::u16string units;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2)
        units += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    return units;
}

bool WellFormedUtf16(std::u16string_view units)
{
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (unit >= 0xD800 && unit < 0xDC00) {
            if (i + 1 >= units.size() || units[i + 1] < 0xDC00 || units[i + 1] >= 0xE000)
                return false;
            ++i;
        } else if (unit >= 0xDC00 && unit < 0xE000) {
            return false;
        }
    }
    return true;
}

// The text a REG_SZ holds, when quoted text gives back exactly its bytes: one terminating
// NUL and nothing a line could not hold.
std::optional<std::u16string> QuotableText(const RegFileValue& value)
{
    if (value.type != RegType::String || value.data.size() < 2 || value.data.size() % 2 != 0)
        return std::nullopt;
    std::u16string units = Units(value.data);
    if (units.back() != 0) return std::nullopt;
    units.pop_back();
    for (char16_t unit : units)
        if (unit < 0x20 || unit == 0x7F) return std::nullopt;
    if (!WellFormedUtf16(units)) return std::nullopt;
    return units;
}

void AppendHex(std::u16string& out, const RegFileValue& value)
{
    if (value.type == RegType::Binary) {
        Append(out, "hex:");
    } else {
        Append(out, "hex(");
        const auto type = static_cast<std::uint32_t>(value.type);
        std::string digits;
        for (std::uint32_t t = type;; t >>= 4) {
            digits.insert(digits.begin(), HexDigit(t));
            if (t < 16) break;
        }
        Append(out, digits);
        Append(out, "):");
    }
    std::size_t column = out.size() - (out.rfind(u'\n') + 1);
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        AppendHexByte(out, value.data[i]);
        if (i + 1 == value.data.size()) break;
        out += u',';
        column += 3;
        if (column > kHexLineWidth) {
            Append(out, "\\\r\n  ");
            column = 2;
        }
    }
}

void AppendValue(std::u16string& out, const RegFileValue& value)
{
    if (value.name.empty())
        out += u'@';
    else
        AppendQuoted(out, Utf8ToUtf16(value.name));
    out += u'=';
    if (value.type == RegType::Dword && value.data.size() == 4) {
        const std::uint32_t number = value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                                     static_cast<std::uint32_t>(value.data[3]) << 24;
        Append(out, "dword:");
        for (int shift = 24; shift >= 0; shift -= 8) AppendHexByte(out, number >> shift);
    } else if (const auto text = QuotableText(value)) {
        AppendQuoted(out, *text);
    } else {
        AppendHex(out, value);
    }
    Append(out, "\r\n");
}

// ---------------------------------------------------------------------------------------
// Reading

struct Line {
    std::u16string text;  // without its line break, blanks trimmed at both ends
    int number = 0;
    bool broken = false;  // holds a NUL or a lone carriage return
};

bool Blank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string Trimmed(std::u16string_view text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && Blank(text[begin])) ++begin;
    while (end > begin && Blank(text[end - 1])) --end;
    return std::u16string(text.substr(begin, end - begin));
}

bool StartsWithNoCase(std::u16string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != static_cast<char16_t>(prefix[i])) return false;
    }
    return true;
}

std::string Lower(std::string_view ascii)
{
    std::string lower(ascii);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

int HexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// A number of 1 to 8 hex digits making up the whole of `text`.
std::optional<std::uint32_t> HexNumber(std::u16string_view text)
{
    if (text.empty() || text.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char16_t c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
}

// Quoted text at `at` (which is on its opening quote), with regedit's two escapes;
// `at` ends past the closing quote.
std::optional<std::u16string> Unquote(std::u16string_view text, std::size_t& at)
{
    if (at >= text.size() || text[at] != u'"') return std::nullopt;
    std::u16string out;
    for (std::size_t i = at + 1; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'"') {
            at = i + 1;
            return out;
        }
        if (c == u'\\') {
            if (i + 1 >= text.size() || (text[i + 1] != u'\\' && text[i + 1] != u'"'))
                return std::nullopt;
            out += text[++i];
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

class Reader {
public:
    explicit Reader(std::vector<Line> lines) : m_lines(std::move(lines)) {}

    RegFileContents Run()
    {
        bool header = false;
        for (m_next = 0; m_next < m_lines.size();) {
            const Line& line = m_lines[m_next++];
            if (line.text.empty()) continue;
            if (!header) {
                if (line.text != Utf8ToUtf16(kRegFileHeader))
                    return Stop(RegFileProblem::NotRegFile, line.number);
                header = true;
                continue;
            }
            if (line.broken) {
                AboutLine(line.text);
                return Stop(RegFileProblem::BrokenLine, line.number);
            }
            if (line.text[0] == u';') continue;
            const RegFileProblem problem =
                line.text[0] == u'[' ? ReadKey(line) : ReadValue(line);
            if (problem != RegFileProblem::None) return Stop(problem, m_problemLine);
        }
        if (!header) return Stop(RegFileProblem::NotRegFile, 1);
        return std::move(m_contents);
    }

private:
    RegFileContents Stop(RegFileProblem problem, int line)
    {
        m_contents.problem = problem;
        m_contents.problemLine = line;
        m_contents.problemKey = Utf16ToUtf8(m_aboutKey);
        m_contents.problemHasName = m_aboutHasName;
        m_contents.problemName = Utf16ToUtf8(m_aboutName);
        return std::move(m_contents);
    }

    // What a refused line is about: a key line names its key, a value line the key of its
    // section and, once read, its own name.
    void AboutKey(std::u16string_view written)
    {
        m_aboutKey = WellFormedUtf16(written) ? std::u16string(written) : std::u16string();
        m_aboutHasName = false;
    }
    void AboutValueOfSection()
    {
        m_aboutKey.clear();
        if (m_inSection) {
            m_aboutKey = Utf8ToUtf16(RegRootName(m_section.root));
            if (!m_section.key.empty()) m_aboutKey += u'\\' + Utf8ToUtf16(m_section.key);
        }
        m_aboutHasName = false;
    }
    void AboutName(std::u16string_view name)
    {
        m_aboutHasName = true;
        m_aboutName = name;
    }
    // A line that could not be read whole, as far as its start says.
    void AboutLine(std::u16string_view text)
    {
        if (text[0] == u'[') {
            AboutKey(text.substr(1, text.find(u']') - 1));
            return;
        }
        AboutValueOfSection();
        std::size_t at = 0;
        if (text[0] == u'@') AboutName(u"");
        else if (const auto name = Unquote(text, at); name && WellFormedUtf16(*name)) AboutName(*name);
    }

    RegFileProblem Fail(RegFileProblem problem, int line)
    {
        m_problemLine = line;
        return problem;
    }

    RegFileProblem ReadKey(const Line& line)
    {
        const std::u16string& text = line.text;
        if (text.back() != u']') return Fail(RegFileProblem::Malformed, line.number);
        const std::u16string_view inner = std::u16string_view(text).substr(1, text.size() - 2);
        AboutKey(!inner.empty() && inner[0] == u'-' ? inner.substr(1) : inner);
        if (!inner.empty() && inner[0] == u'-') return Fail(RegFileProblem::Deletion, line.number);
        if (inner.find_first_of(u"[]") != std::u16string_view::npos || !WellFormedUtf16(inner))
            return Fail(RegFileProblem::Malformed, line.number);
        const std::size_t slash = inner.find(u'\\');
        const std::u16string_view rootName = inner.substr(0, slash);
        std::string path =
            slash == std::u16string_view::npos ? "" : Utf16ToUtf8(inner.substr(slash + 1));
        if (!path.empty() && path.back() == '\\') path.pop_back();
        for (RegRoot root : kRoots) {
            const std::string_view name = RegRootName(root);
            if (rootName.size() != name.size() || !StartsWithNoCase(rootName, Lower(name))) continue;
            m_section = {root, path, {}, RegType::None, {}};
            m_inSection = true;
            m_contents.entries.push_back({line.number, true, m_section});
            return RegFileProblem::None;
        }
        return Fail(RegFileProblem::OtherRoot, line.number);
    }

    RegFileProblem ReadValue(const Line& line)
    {
        const std::u16string& text = line.text;
        RegFileValue value = m_section;
        AboutValueOfSection();
        std::size_t at = 0;
        if (text[0] == u'@') {
            at = 1;
            AboutName(u"");
        } else {
            const auto name = Unquote(text, at);
            if (!name || !WellFormedUtf16(*name)) return Fail(RegFileProblem::Malformed, line.number);
            // A named value must have a name; "" would be the default value, which is "@".
            if (name->empty()) return Fail(RegFileProblem::Malformed, line.number);
            AboutName(*name);
            value.name = Utf16ToUtf8(*name);
        }
        while (at < text.size() && Blank(text[at])) ++at;
        if (!m_inSection || at >= text.size() || text[at] != u'=')
            return Fail(RegFileProblem::Malformed, line.number);
        ++at;
        while (at < text.size() && Blank(text[at])) ++at;
        const std::u16string_view data = std::u16string_view(text).substr(at);

        RegFileProblem problem = RegFileProblem::None;
        if (data == u"-") {
            problem = Fail(RegFileProblem::Deletion, line.number);
        } else if (!data.empty() && data[0] == u'"') {
            problem = ReadString(data, line.number, value);
        } else if (StartsWithNoCase(data, "dword:")) {
            const auto number = HexNumber(data.substr(6));
            if (!number) return Fail(RegFileProblem::Malformed, line.number);
            value.type = RegType::Dword;
            for (int shift = 0; shift < 32; shift += 8)
                value.data.push_back(static_cast<unsigned char>(*number >> shift));
        } else if (StartsWithNoCase(data, "hex")) {
            problem = ReadHex(data.substr(3), line.number, value);
        } else {
            problem = Fail(RegFileProblem::Malformed, line.number);
        }
        if (problem != RegFileProblem::None) return problem;
        m_contents.entries.push_back({line.number, false, std::move(value)});
        return RegFileProblem::None;
    }

    RegFileProblem ReadString(std::u16string_view data, int number, RegFileValue& value)
    {
        std::size_t at = 0;
        const auto text = Unquote(data, at);
        if (!text || at != data.size() || !WellFormedUtf16(*text))
            return Fail(RegFileProblem::Malformed, number);
        value.type = RegType::String;
        for (char16_t unit : *text) {
            value.data.push_back(static_cast<unsigned char>(unit & 0xFF));
            value.data.push_back(static_cast<unsigned char>(unit >> 8));
        }
        value.data.push_back(0);
        value.data.push_back(0);
        return RegFileProblem::None;
    }

    // `data` follows "hex": ":" (binary) or "(type):", then bytes, continued on the next
    // line after a trailing backslash.
    RegFileProblem ReadHex(std::u16string_view data, int number, RegFileValue& value)
    {
        std::size_t at = 0;
        value.type = RegType::Binary;
        if (!data.empty() && data[0] == u'(') {
            const std::size_t close = data.find(u')');
            if (close == std::u16string_view::npos) return Fail(RegFileProblem::Malformed, number);
            const auto type = HexNumber(data.substr(1, close - 1));
            if (!type) return Fail(RegFileProblem::Malformed, number);
            value.type = static_cast<RegType>(*type);
            at = close + 1;
        }
        if (at >= data.size() || data[at] != u':') return Fail(RegFileProblem::Malformed, number);
        std::u16string_view bytes = data.substr(at + 1);
        for (;;) {
            bool continued = false;
            if (!bytes.empty() && bytes.back() == u'\\') {
                continued = true;
                bytes.remove_suffix(1);
            }
            if (!ReadHexBytes(bytes, continued, value.data))
                return Fail(RegFileProblem::Malformed, number);
            if (!continued) return RegFileProblem::None;
            // The continuation is the next line, whatever it holds.
            if (m_next >= m_lines.size()) return Fail(RegFileProblem::Malformed, number);
            const Line& next = m_lines[m_next++];
            number = next.number;
            if (next.broken) return Fail(RegFileProblem::BrokenLine, number);
            m_continuation = next.text;
            bytes = m_continuation;
        }
    }

    // "xx,xx,...": one or two digits a byte; a part that continues ends with its comma.
    static bool ReadHexBytes(std::u16string_view text, bool continued,
                             std::vector<unsigned char>& out)
    {
        while (!text.empty() && Blank(text.back())) text.remove_suffix(1);
        if (text.empty()) return true;
        if (continued) {
            if (text.back() != u',') return false;
            text.remove_suffix(1);
        }
        for (;;) {
            while (!text.empty() && Blank(text.front())) text.remove_prefix(1);
            const std::size_t comma = text.find(u',');
            std::u16string_view part = text.substr(0, comma);
            while (!part.empty() && Blank(part.back())) part.remove_suffix(1);
            if (part.empty() || part.size() > 2) return false;
            const auto byte = HexNumber(part);
            if (!byte) return false;
            out.push_back(static_cast<unsigned char>(*byte));
            if (comma == std::u16string_view::npos) return true;
            text.remove_prefix(comma + 1);
        }
    }

    std::vector<Line> m_lines;
    std::size_t m_next = 0;
    RegFileContents m_contents;
    RegFileValue m_section;
    bool m_inSection = false;
    int m_problemLine = 0;
    std::u16string m_continuation;
    std::u16string m_aboutKey;
    bool m_aboutHasName = false;
    std::u16string m_aboutName;
};

}  // namespace

std::string_view RegRootName(RegRoot root)
{
    switch (root) {
    case RegRoot::CurrentUser: return "HKEY_CURRENT_USER";
    case RegRoot::LocalMachine: return "HKEY_LOCAL_MACHINE";
    case RegRoot::ClassesRoot: return "HKEY_CLASSES_ROOT";
    }
    return {};
}

std::vector<unsigned char> WriteRegFile(std::span<const RegFileValue> values)
{
    std::u16string text = Utf8ToUtf16(kRegFileHeader);
    Append(text, "\r\n");
    const RegFileValue* section = nullptr;
    for (const RegFileValue& value : values) {
        if (!section || section->root != value.root || section->key != value.key) {
            Append(text, "\r\n[");
            Append(text, RegRootName(value.root));
            text += u'\\';
            text += Utf8ToUtf16(value.key);
            Append(text, "]\r\n");
            section = &value;
        }
        AppendValue(text, value);
    }
    Append(text, "\r\n");
    std::vector<unsigned char> bytes = {0xFF, 0xFE};
    bytes.reserve(2 + text.size() * 2);
    for (char16_t unit : text) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return bytes;
}

RegFileContents ReadRegFile(std::span<const unsigned char> bytes)
{
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE || bytes.size() % 2 != 0) {
        RegFileContents contents;
        contents.problem = RegFileProblem::NotRegFile;
        contents.problemLine = 1;
        return contents;
    }
    std::vector<Line> lines;
    std::u16string current;
    int number = 1;
    bool brokenLine = false;  // a lone carriage return or a NUL: no text line holds one
    int brokenAt = 0;
    auto finish = [&] {
        lines.push_back({Trimmed(current), number});
        current.clear();
        ++number;
    };
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
        if (unit == u'\n') {
            if (!current.empty() && current.back() == u'\r') current.pop_back();
            finish();
            continue;
        }
        if (!brokenLine && (unit == 0 || (!current.empty() && current.back() == u'\r'))) {
            brokenLine = true;
            brokenAt = number;
        }
        current += unit;
    }
    if (!current.empty()) finish();
    if (brokenLine) {
        // Nothing after the first broken line is read.
        lines.resize(static_cast<std::size_t>(brokenAt));
        lines.back().broken = true;
    }
    return Reader(std::move(lines)).Run();
}

}  // namespace zelora
