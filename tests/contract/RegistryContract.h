#pragma once
// The registry contract: one suite that runs against every backend (natively against the
// memory registry, under Wine against it and the real registry), so the fake the portable
// tests rely on behaves as the real registry does.
//
// Include this header in exactly one test file per test program and instantiate:
//   INSTANTIATE_TEST_SUITE_P(Memory, RegistryContract, ::testing::Values(&MakeMemory));

#include "platform/registry/RegistryBackend.h"
#include "platform/registry/RegistryStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zelora::contract {

using BackendFactory = std::unique_ptr<RegistryBackend> (*)();

class RegistryContract : public ::testing::TestWithParam<BackendFactory> {
protected:
    static constexpr const char* kBase = "Software\\ZeloraContractTest";

    void SetUp() override
    {
        m_backend = GetParam()();
        m_store = std::make_unique<RegistryStore>(*m_backend);
        Clean();
    }
    void TearDown() override { Clean(); }

    void Clean()
    {
        m_backend->DeleteTree(RegRoot::CurrentUser, kBase);
        m_backend->DeleteTree(RegRoot::LocalMachine, kBase);
    }

    static std::string Key(const char* sub) { return std::string(kBase) + "\\" + sub; }

    bool KeyExists(RegRoot root, const std::string& path)
    {
        std::vector<std::string> names;
        return m_backend->EnumValueNames(root, path, KeyOpen::ExistingOnly, names) ==
               RegStatus::Ok;
    }

    // The raw bytes and type stored, or nothing when the value is absent.
    bool Raw(RegRoot root, const std::string& path, const char* name,
             std::vector<unsigned char>& bytes, RegType& type)
    {
        std::uint32_t size = 0;
        if (m_backend->QueryValue(root, path, KeyOpen::ExistingOnly, name, nullptr, size,
                                  &type) != RegStatus::Ok)
            return false;
        bytes.assign(size, 0);
        return m_backend->QueryValue(root, path, KeyOpen::ExistingOnly, name, bytes.data(), size,
                                     &type) == RegStatus::Ok;
    }

    void SetRaw(RegRoot root, const std::string& path, const char* name, RegType type,
                const std::vector<unsigned char>& bytes)
    {
        ASSERT_EQ(m_backend->SetValue(root, path, name, type, bytes.data(),
                                      static_cast<std::uint32_t>(bytes.size())),
                  RegStatus::Ok);
    }

    // A REG_SZ as the registry stores it: UTF-16LE with the terminating NUL.
    static std::vector<unsigned char> Utf16Bytes(const std::string& ascii)
    {
        std::vector<unsigned char> bytes;
        for (char c : ascii) {
            bytes.push_back(static_cast<unsigned char>(c));
            bytes.push_back(0);
        }
        bytes.push_back(0);
        bytes.push_back(0);
        return bytes;
    }

    std::unique_ptr<RegistryBackend> m_backend;
    std::unique_ptr<RegistryStore> m_store;
};

constexpr RegRoot kWritableRoots[] = {RegRoot::CurrentUser, RegRoot::LocalMachine};

TEST_P(RegistryContract, ReadingUnderAMissingKeyCreatesTheKeyAndReportsMissing)
{
    for (RegRoot root : kWritableRoots) {
        const std::string dwordKey = Key("Fresh\\Dword");
        const std::string stringKey = Key("Fresh\\String");
        EXPECT_EQ(m_store->ReadDword(root, dwordKey, "Deblock_Y"), RegistryStore::MissingDword);
        EXPECT_EQ(m_store->ReadString(root, stringKey, "Path"), "ERROR");
        EXPECT_TRUE(KeyExists(root, dwordKey));
        EXPECT_TRUE(KeyExists(root, stringKey));
    }
}

TEST_P(RegistryContract, DwordsRoundTripAsSignedLittleEndian)
{
    for (RegRoot root : kWritableRoots) {
        for (std::int32_t value : {0, 1, -1, -20, 2147483647, -2147483647 - 1, 0x01020304}) {
            m_store->WriteDword(root, Key("Numbers"), "N", value);
            EXPECT_EQ(m_store->ReadDword(root, Key("Numbers"), "N"), value);
        }
        std::vector<unsigned char> bytes;
        RegType type{};
        ASSERT_TRUE(Raw(root, Key("Numbers"), "N", bytes, type));
        EXPECT_EQ(type, RegType::Dword);
        EXPECT_EQ(bytes, (std::vector<unsigned char>{4, 3, 2, 1}));
    }
}

TEST_P(RegistryContract, StoredMissingMarkersReadAsMissingAndLoadsReplaceThem)
{
    const RegRoot root = RegRoot::CurrentUser;
    m_store->WriteDword(root, Key("Markers"), "D", RegistryStore::MissingDword);
    m_store->WriteString(root, Key("Markers"), "S", "ERROR");

    std::int32_t number = 0;
    m_store->LoadDword(root, Key("Markers"), "D", number, 7);
    EXPECT_EQ(number, 7);
    EXPECT_EQ(m_store->ReadDword(root, Key("Markers"), "D"), 7);

    std::string text;
    m_store->LoadString(root, Key("Markers"), "S", text, "default");
    EXPECT_EQ(text, "default");
    EXPECT_EQ(m_store->ReadString(root, Key("Markers"), "S"), "default");
}

TEST_P(RegistryContract, DwordReadOfAStringUsesItsCodePageBytes)
{
    const RegRoot root = RegRoot::CurrentUser;
    // The text and its NUL in code page 949 bytes, when they fit the four-byte read; the
    // single read and the batched one agree.
    const struct {
        const char* text;
        std::int32_t number;
    } cases[] = {
        {"7", 0x37},
        {"12", 0x3231},  // three bytes, though six as UTF-16
        {"123", 0x333231},
        {"1234", RegistryStore::MissingDword},  // five bytes: too long
    };
    for (const auto& c : cases) {
        SetRaw(root, Key("Mixed"), c.text, RegType::String, Utf16Bytes(c.text));
        EXPECT_EQ(m_store->ReadDword(root, Key("Mixed"), c.text), c.number) << c.text;
        const NamedDword fallback[] = {{c.text, 9}};
        const std::int32_t loaded = m_store->LoadDwords(root, Key("Mixed"), fallback)[0];
        EXPECT_EQ(loaded, c.number == RegistryStore::MissingDword ? 9 : c.number) << c.text;
    }
    // Shorter than four bytes: the missing bytes are zero.
    SetRaw(root, Key("Mixed"), "Two", RegType::Binary, {0x34, 0x12});
    EXPECT_EQ(m_store->ReadDword(root, Key("Mixed"), "Two"), 0x1234);
}

TEST_P(RegistryContract, StringsRoundTripWithKoreanText)
{
    for (RegRoot root : kWritableRoots) {
        const std::string korean = "C:\\Program Files\\코덱\\xvid.ax";
        m_store->WriteString(root, Key("Strings"), "Path", korean);
        EXPECT_EQ(m_store->ReadString(root, Key("Strings"), "Path"), korean);
        std::vector<unsigned char> bytes;
        RegType type{};
        ASSERT_TRUE(Raw(root, Key("Strings"), "Path", bytes, type));
        EXPECT_EQ(type, RegType::String);
    }
}

TEST_P(RegistryContract, EmptyStringIsStoredAsItsTerminatorAlone)
{
    m_store->WriteString(RegRoot::CurrentUser, Key("Strings"), "Empty", "");
    std::vector<unsigned char> bytes;
    RegType type{};
    ASSERT_TRUE(Raw(RegRoot::CurrentUser, Key("Strings"), "Empty", bytes, type));
    EXPECT_EQ(type, RegType::String);
    EXPECT_EQ(bytes, (std::vector<unsigned char>{0, 0}));  // one NUL character
    EXPECT_EQ(m_store->ReadString(RegRoot::CurrentUser, Key("Strings"), "Empty"), "");
}

TEST_P(RegistryContract, StringsLongerThanTheReadBufferReadAsMissing)
{
    const RegRoot root = RegRoot::CurrentUser;
    const std::string fits(1023, 'x');  // 1023 bytes and the NUL: exactly 1024
    m_store->WriteString(root, Key("Long"), "Fits", fits);
    EXPECT_EQ(m_store->ReadString(root, Key("Long"), "Fits"), fits);

    m_store->WriteString(root, Key("Long"), "TooLong", std::string(1024, 'x'));
    EXPECT_EQ(m_store->ReadString(root, Key("Long"), "TooLong"), "ERROR");
    // Korean characters take two bytes each in the decoders' code page.
    std::string hangul;
    for (int i = 0; i < 512; ++i) hangul += "가";
    m_store->WriteString(root, Key("Long"), "Hangul", hangul);
    EXPECT_EQ(m_store->ReadString(root, Key("Long"), "Hangul"), "ERROR");

    std::string text;
    m_store->LoadString(root, Key("Long"), "TooLong", text, "short");
    EXPECT_EQ(text, "short");
    EXPECT_EQ(m_store->ReadString(root, Key("Long"), "TooLong"), "short");
}

TEST_P(RegistryContract, DeletingAnAbsentValueChangesNothing)
{
    const RegRoot root = RegRoot::LocalMachine;
    m_store->WriteString(root, Key("Del"), "Keep", "x");
    m_store->DeleteValue(root, Key("Del"), "Absent");
    m_store->DeleteValue(root, Key("Del\\NoSuchKey"), "Absent");
    EXPECT_EQ(m_store->ReadString(root, Key("Del"), "Keep"), "x");
    m_store->DeleteValue(root, Key("Del"), "keep");  // names match without regard to case
    EXPECT_EQ(m_store->ReadString(root, Key("Del"), "Keep"), "ERROR");
    EXPECT_TRUE(KeyExists(root, Key("Del")));  // the key itself stays
}

TEST_P(RegistryContract, TrailingBackslashNamesTheSameKey)
{
    const RegRoot root = RegRoot::LocalMachine;
    m_store->WriteDword(root, Key("Setup\\"), "CheckInstall", 1);
    EXPECT_EQ(m_store->ReadDword(root, Key("Setup"), "CheckInstall"), 1);
    EXPECT_EQ(m_store->ReadDword(root, Key("Setup\\"), "CheckInstall"), 1);
}

TEST_P(RegistryContract, NamesWithBlanksAndDifferentCaseAreOneValue)
{
    const RegRoot root = RegRoot::CurrentUser;
    m_store->WriteDword(root, Key("Names"), "Subtitle Delay", 150);
    EXPECT_EQ(m_store->ReadDword(root, Key("Names"), "subtitle delay"), 150);
    m_store->WriteDword(root, Key("NAMES"), "SUBTITLE DELAY", 200);
    EXPECT_EQ(m_store->ReadDword(root, Key("names"), "Subtitle Delay"), 200);
    std::vector<std::string> names;
    ASSERT_EQ(m_backend->EnumValueNames(root, Key("Names"), KeyOpen::ExistingOnly, names),
              RegStatus::Ok);
    EXPECT_EQ(names, std::vector<std::string>{"Subtitle Delay"});  // first spelling kept
}

TEST_P(RegistryContract, ShortBufferIsAnsweredWithTheNeededSize)
{
    m_store->WriteString(RegRoot::CurrentUser, Key("Sizes"), "S", "abc");
    unsigned char small[4];
    std::uint32_t size = sizeof small;
    EXPECT_EQ(m_backend->QueryValue(RegRoot::CurrentUser, Key("Sizes"), KeyOpen::ExistingOnly,
                                    "S", small, size, nullptr),
              RegStatus::MoreData);
    EXPECT_EQ(size, 8u);
}

TEST_P(RegistryContract, EnumerationListsValuesAndSubkeys)
{
    const RegRoot root = RegRoot::LocalMachine;
    m_store->WriteString(root, Key("Enum"), "Xvid", "a");
    m_store->WriteString(root, Key("Enum"), "FFDShow", "b");
    m_store->WriteDword(root, Key("Enum\\Sub1"), "x", 1);
    m_store->WriteDword(root, Key("Enum\\Sub2"), "x", 1);
    std::vector<std::string> names;
    ASSERT_EQ(m_backend->EnumValueNames(root, Key("Enum"), KeyOpen::ExistingOnly, names),
              RegStatus::Ok);
    // Value order is the registry's own (creation order on Windows, by name under Wine).
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"FFDShow", "Xvid"}));
    ASSERT_EQ(m_backend->EnumSubkeyNames(root, Key("Enum"), KeyOpen::ExistingOnly, names),
              RegStatus::Ok);
    EXPECT_EQ(names, (std::vector<std::string>{"Sub1", "Sub2"}));
    EXPECT_EQ(m_backend->EnumValueNames(root, Key("Enum\\Absent"), KeyOpen::ExistingOnly, names),
              RegStatus::NotFound);
}

TEST_P(RegistryContract, ClassesRootReadsNeverCreateKeys)
{
    const std::string junk = "CLSID\\ERROR\\InprocServer32";
    EXPECT_EQ(m_store->ReadString(RegRoot::ClassesRoot, junk, ""), "ERROR");
    EXPECT_EQ(m_store->ReadDword(RegRoot::ClassesRoot, junk, ""), RegistryStore::MissingDword);
    EXPECT_FALSE(KeyExists(RegRoot::ClassesRoot, "CLSID\\ERROR"));
}

TEST_P(RegistryContract, BatchedSubkeyReadsAnswerAsSingleReadsDo)
{
    const RegRoot root = RegRoot::LocalMachine;
    m_store->WriteString(root, Key("Batch\\A"), "FriendlyName", "Filter A");
    m_store->WriteString(root, Key("Batch\\A"), "CLSID", "{A}");
    m_store->WriteString(root, Key("Batch\\B\\Deep"), "", "C:\\b.ax");
    m_store->WriteString(root, Key("Batch\\C"), "Long", std::string(1024, 'x'));
    m_store->WriteDword(root, Key("Batch\\C"), "Number", 55);

    const std::vector<SubkeyValueQuery> queries = {
        {"A", "FriendlyName"}, {"A", "CLSID"},      {"A", "Absent"}, {"B\\Deep", ""},
        {"Missing", "X"},      {"C", "Long"},       {"c", "number"}, {"A", "friendlyname"},
    };
    const std::vector<std::string> texts = m_store->ReadStrings(root, Key("Batch"), queries);
    ASSERT_EQ(texts.size(), queries.size());
    for (std::size_t i = 0; i < queries.size(); ++i) {
        SCOPED_TRACE(std::string(queries[i].subkey) + "/" + std::string(queries[i].name));
        EXPECT_EQ(texts[i], m_store->ReadString(root, Key("Batch") + "\\" + std::string(queries[i].subkey),
                                                queries[i].name));
    }
    EXPECT_EQ(texts[0], "Filter A");
    EXPECT_EQ(texts[3], "C:\\b.ax");
    EXPECT_EQ(texts[5], "ERROR");  // too long for the decoders' buffer

    // A batch never creates keys, not even its base.
    EXPECT_EQ(m_store->ReadStrings(root, Key("NoBase"), queries),
              std::vector<std::string>(queries.size(), "ERROR"));
    EXPECT_FALSE(KeyExists(root, Key("NoBase")));
}

// Loading many numbers of one key at once gives, and writes, what one load each would.
TEST_P(RegistryContract, LoadDwordsAnswerAndWriteAsOneLoadEachDoes)
{
    const RegRoot root = RegRoot::LocalMachine;
    const std::vector<NamedDword> defaults = {
        {"Stored", 1}, {"Zero", 1}, {"Absent", 1}, {"Marker", 0}, {"Two", 9}, {"Long", 3},
        {"stored", 4},  // another spelling of "Stored"
    };
    for (const std::string& key : {Key("Many"), Key("One")}) {
        m_store->WriteDword(root, key, "Stored", -20);
        m_store->WriteDword(root, key, "Zero", 0);
        m_store->WriteDword(root, key, "Marker", RegistryStore::MissingDword);
        SetRaw(root, key, "Two", RegType::Binary, {0x34, 0x12});
        SetRaw(root, key, "Long", RegType::Qword, {1, 0, 0, 0, 0, 0, 0, 0});
    }
    const std::vector<std::int32_t> many = m_store->LoadDwords(root, Key("Many"), defaults);
    ASSERT_EQ(many.size(), defaults.size());
    for (std::size_t i = 0; i < defaults.size(); ++i) {
        SCOPED_TRACE(std::string(defaults[i].name));
        std::int32_t one = 0;
        m_store->LoadDword(root, Key("One"), defaults[i].name, one, defaults[i].value);
        EXPECT_EQ(many[i], one);
        std::vector<unsigned char> manyBytes, oneBytes;
        RegType manyType{}, oneType{};
        const std::string name(defaults[i].name);
        EXPECT_EQ(Raw(root, Key("Many"), name.c_str(), manyBytes, manyType),
                  Raw(root, Key("One"), name.c_str(), oneBytes, oneType));
        EXPECT_EQ(manyBytes, oneBytes);
        EXPECT_EQ(manyType, oneType);
    }
    EXPECT_EQ(many, (std::vector<std::int32_t>{-20, 0, 1, 0, 0x1234, 3, -20}));

    // A missing key: every default, written, which makes the key.
    EXPECT_EQ(m_store->LoadDwords(root, Key("NoKey"), std::vector<NamedDword>{{"A", 2}}),
              std::vector<std::int32_t>{2});
    EXPECT_EQ(m_store->ReadDword(root, Key("NoKey"), "A"), 2);
}

// Each load operation: missing -> default shown and written back; present -> shown as is.
TEST_P(RegistryContract, LoadOperationsWriteBackTheirDefaults)
{
    const RegRoot user = RegRoot::CurrentUser;
    const RegRoot machine = RegRoot::LocalMachine;

    EXPECT_EQ(m_store->LoadCheck(user, Key("Load"), "Check", 1), 1);
    EXPECT_EQ(m_store->ReadDword(user, Key("Load"), "Check"), 1);
    m_store->WriteDword(user, Key("Load"), "Check", 0);
    EXPECT_EQ(m_store->LoadCheck(user, Key("Load"), "Check", 1), 0);

    std::int32_t number = 0;
    m_store->LoadDword(machine, Key("Load"), "Dword", number, 5);
    EXPECT_EQ(number, 5);
    EXPECT_EQ(m_store->ReadDword(machine, Key("Load"), "Dword"), 5);

    std::string text;
    m_store->LoadDwordText(user, Key("Load"), "Text", text, "50");
    EXPECT_EQ(text, "50");
    EXPECT_EQ(m_store->ReadDword(user, Key("Load"), "Text"), 50);
    m_store->WriteDword(user, Key("Load"), "Text", -20);
    m_store->LoadDwordText(user, Key("Load"), "Text", text, "50");
    EXPECT_EQ(text, "-20");

    m_store->LoadString(user, Key("Load"), "UserString", text, "기본");
    EXPECT_EQ(text, "기본");
    EXPECT_EQ(m_store->ReadString(user, Key("Load"), "UserString"), "기본");

    // The machine-wide variant falls back without writing.
    m_store->LoadString(machine, Key("Load"), "MachineString", text, "fallback");
    EXPECT_EQ(text, "fallback");
    EXPECT_EQ(m_store->ReadString(machine, Key("Load"), "MachineString"), "ERROR");
}

}  // namespace zelora::contract
