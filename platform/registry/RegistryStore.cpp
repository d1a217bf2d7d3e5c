#include "platform/registry/RegistryStore.h"

#include "platform/text/Text.h"

#include <bit>
#include <cstring>
#include <optional>
#include <vector>

namespace zelora {

KeyOpen ReadOpenMode(RegRoot root)
{
    return root == RegRoot::ClassesRoot ? KeyOpen::ExistingOnly : KeyOpen::CreateIfMissing;
}

KeyOpen RegistryStore::ReadMode(RegRoot root) const
{
    return m_readKeys == ReadKeys::ExistingOnly ? KeyOpen::ExistingOnly : ReadOpenMode(root);
}

bool RegistryStore::WriteDword(RegRoot root, std::string_view path, std::string_view name,
                               std::int32_t value)
{
    if (root == RegRoot::ClassesRoot) return false;  // the class registrations are read only
    const auto bits = static_cast<std::uint32_t>(value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(bits),
                                    static_cast<unsigned char>(bits >> 8),
                                    static_cast<unsigned char>(bits >> 16),
                                    static_cast<unsigned char>(bits >> 24)};
    return m_backend.SetValue(root, path, name, RegType::Dword, bytes, sizeof bytes) ==
           RegStatus::Ok;
}

bool RegistryStore::WriteString(RegRoot root, std::string_view path, std::string_view name,
                                std::string_view text)
{
    if (root == RegRoot::ClassesRoot) return false;
    std::u16string wide = Utf8ToUtf16(text);
    std::vector<unsigned char> bytes;
    bytes.reserve((wide.size() + 1) * 2);
    for (char16_t unit : wide) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    bytes.push_back(0);  // the terminating NUL is part of the stored value
    bytes.push_back(0);
    return m_backend.SetValue(root, path, name, RegType::String, bytes.data(),
                              static_cast<std::uint32_t>(bytes.size())) == RegStatus::Ok;
}

namespace {

// The decoders read numbers with the multibyte call into four bytes: a string type arrives
// as its code page 949 bytes (terminator included), every other type as stored.
bool IsText(RegType type)
{
    return type == RegType::String || type == RegType::ExpandString ||
           type == RegType::MultiString;
}

// Room for any string whose code page form can fit four bytes, even one of characters
// outside the code page.
constexpr std::uint32_t kNumberQueryBytes = 16;

// The value's first bytes are the number; a shorter value leaves the rest zero, a longer
// one does not fit the four-byte read and counts as missing.
std::int32_t DecodeDword(const RegistryBackend& backend, RegType type, const unsigned char* data,
                         std::size_t size)
{
    std::string text;
    if (IsText(type)) {
        std::u16string units;
        for (std::size_t i = 0; i + 1 < size; i += 2)
            units += static_cast<char16_t>(data[i] | data[i + 1] << 8);
        text = backend.CodePageBytes(units);
        data = reinterpret_cast<const unsigned char*>(text.data());
        size = text.size();
    }
    unsigned char bytes[4] = {0, 0, 0, 0};
    if (size > sizeof bytes) return RegistryStore::MissingDword;
    if (size > 0) std::memcpy(bytes, data, size);
    return static_cast<std::int32_t>(std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                                     std::uint32_t{bytes[2]} << 16 |
                                     std::uint32_t{bytes[3]} << 24);
}

// Four UTF-16LE units at once, as a little-endian machine loads them: their four characters
// when every one is ASCII and none is NUL (each high byte zero, each low byte 1 to 0x7F).
std::optional<std::uint32_t> FourAsciiUnits(const unsigned char* bytes)
{
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    if (word & 0xFF80FF80FF80FF80u) return std::nullopt;
    if ((word - 0x0001000100010001u) & ~word & 0x0080008000800080u) return std::nullopt;  // a NUL
    word = (word | word >> 8) & 0x0000FFFF0000FFFFu;  // the low bytes, side by side
    return static_cast<std::uint32_t>(word | word >> 16);
}

// The text of a string read, appended to `text`: up to its first NUL, within the bytes
// returned; too long for the decoders' 1024-byte buffer counts as unreadable.
void AppendDecoded(const unsigned char* bytes, std::uint32_t size, std::string& text)
{
    // Most registry strings (class ids, paths, names) are ASCII: taken as they are, their
    // length is their code page 949 length. They are copied as they are checked, into room
    // for the whole value, four at a time where the machine allows.
    const std::size_t start = text.size();
    text.resize(start + size / 2);
    char* const ascii = text.data() + start;
    std::uint32_t units = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; 2 * units + 8 <= size; units += 4) {
            const std::optional<std::uint32_t> four = FourAsciiUnits(bytes + 2 * units);
            if (!four) break;
            std::memcpy(ascii + units, &*four, 4);
        }
    }
    unsigned last = 0;
    for (; 2 * units + 1 < size; ++units) {
        last = bytes[2 * units] | bytes[2 * units + 1] << 8;
        if (last - 1 >= 0x7F) break;  // NUL, or beyond ASCII
        ascii[units] = static_cast<char>(last);
    }
    if (2 * units + 1 >= size || last == 0) {
        text.resize(start + units);
        if (units + 1 > RegistryStore::kStringBufferBytes)
            text.replace(start, units, RegistryStore::MissingString);
        return;
    }
    std::u16string wide(ascii, ascii + units);
    text.resize(start);
    for (std::uint32_t i = 2 * units; i + 1 < size; i += 2) {
        const auto unit = static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
        if (unit == 0) break;
        wide += unit;
    }
    const std::string decoded = Utf16ToUtf8(wide);
    text += Cp949Length(decoded) + 1 > RegistryStore::kStringBufferBytes ? RegistryStore::MissingString
                                                                          : std::string_view(decoded);
}

}  // namespace

std::int32_t RegistryStore::ReadDword(RegRoot root, std::string_view path, std::string_view name)
{
    unsigned char bytes[kNumberQueryBytes] = {};
    std::uint32_t size = sizeof bytes;
    RegType type = RegType::None;
    if (m_backend.QueryValue(root, path, ReadMode(root), name, bytes, size, &type) !=
        RegStatus::Ok)
        return MissingDword;
    return DecodeDword(m_backend, type, bytes, size);
}

std::string RegistryStore::ReadString(RegRoot root, std::string_view path, std::string_view name)
{
    std::vector<unsigned char> buffer(kStringQueryBytes);
    auto size = static_cast<std::uint32_t>(buffer.size());
    if (m_backend.QueryValue(root, path, ReadMode(root), name, buffer.data(), size,
                             nullptr) != RegStatus::Ok)
        return std::string(MissingString);
    std::string text;
    AppendDecoded(buffer.data(), size, text);
    return text;
}

std::vector<std::string> RegistryStore::ReadStrings(RegRoot root, std::string_view basePath,
                                                    std::span<const SubkeyValueQuery> queries)
{
    std::vector<std::string> texts(queries.size());
    m_backend.VisitSubkeyValues(root, basePath, queries, kStringQueryBytes,
                                [&](std::size_t query, const ValueView& value) { texts[query] = StringOf(value); });
    return texts;
}

std::string RegistryStore::StringOf(const ValueView& value)
{
    std::string text;
    AppendStringOf(value, text);
    return text;
}

void RegistryStore::AppendStringOf(const ValueView& value, std::string& text)
{
    if (value.status != RegStatus::Ok) text += MissingString;
    else AppendDecoded(value.data.data(), static_cast<std::uint32_t>(value.data.size()), text);
}

void RegistryStore::DeleteValue(RegRoot root, std::string_view path, std::string_view name)
{
    if (root == RegRoot::ClassesRoot) return;
    m_backend.DeleteValue(root, path, KeyOpen::CreateIfMissing, name);
}

std::int32_t RegistryStore::LoadCheck(RegRoot root, std::string_view path, std::string_view name,
                                      std::int32_t defaultState)
{
    const std::int32_t stored = ReadDword(root, path, name);
    if (stored != MissingDword) return stored;
    WriteDword(root, path, name, defaultState);
    return defaultState;
}

void RegistryStore::LoadDword(RegRoot root, std::string_view path, std::string_view name,
                              std::int32_t& value, std::int32_t defaultValue)
{
    value = ReadDword(root, path, name);
    if (value != MissingDword) return;
    value = defaultValue;
    WriteDword(root, path, name, defaultValue);
}

std::vector<std::int32_t> RegistryStore::LoadDwords(RegRoot root, std::string_view path,
                                                    std::span<const NamedDword> defaults)
{
    // The values of the key itself: an empty subkey opens it once more, relative to itself.
    std::vector<SubkeyValueQuery> queries;
    queries.reserve(defaults.size());
    for (const NamedDword& value : defaults) queries.push_back({"", value.name});
    std::vector<RawValue> raw;
    m_backend.QuerySubkeyValues(root, path, queries, kNumberQueryBytes, raw);

    std::vector<std::int32_t> values;
    values.reserve(defaults.size());
    for (std::size_t i = 0; i < defaults.size(); ++i) {
        // As LoadDword: a stored marker number counts as missing too.
        const std::int32_t stored = i < raw.size() && raw[i].status == RegStatus::Ok
                                        ? DecodeDword(m_backend, raw[i].type, raw[i].data.data(),
                                                      raw[i].data.size())
                                        : MissingDword;
        if (stored != MissingDword) {
            values.push_back(stored);
            continue;
        }
        values.push_back(defaults[i].value);
        WriteDword(root, path, defaults[i].name, defaults[i].value);
    }
    return values;
}

void RegistryStore::LoadString(RegRoot root, std::string_view path, std::string_view name,
                               std::string& text, std::string_view defaultText)
{
    text = ReadString(root, path, name);
    if (text != MissingString) return;
    text = defaultText;
    if (root == RegRoot::CurrentUser) WriteString(root, path, name, defaultText);
}

void RegistryStore::LoadDwordText(RegRoot root, std::string_view path, std::string_view name,
                                  std::string& text, std::string_view defaultText)
{
    const std::int32_t stored = ReadDword(root, path, name);
    if (stored != MissingDword) {
        text = std::to_string(stored);
        return;
    }
    text = defaultText;
    WriteDword(root, path, name, DecimalTextToInt(defaultText));
}

}  // namespace zelora
