// The signature file's parser and the rules that make a manifest current, over random and
// mutated inputs: the parser takes exactly the strict DER form (what it returns encodes back
// to the very input), never reads past its input, and a manifest is taken only with a valid
// serial not below the accepted one (and equal only with the same bytes), an unexpired date
// and an 8-digit version, while every such manifest is taken. The
// in-memory manifest reader and the redirect rule run over random text too.
#include "fuzz/FuzzHarness.h"

#include "support/DerEncoding.h"
#include "updater/AddressRules.h"
#include "updater/DerSignature.h"
#include "updater/ManifestRules.h"
#include "updater/ManifestText.h"
#include "updater/UpdateDecisions.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace zelora::fuzz {
namespace {

using namespace zelora::updater;

// A valid signature file, then a few random edits of its bytes.
std::vector<std::uint8_t> SignatureInput(Random& random)
{
    std::vector<std::uint8_t> rs = random.Bytes(64);
    for (int half = 0; half < 2; ++half) {
        // Short and top-bit numbers are where encodings differ.
        const auto zeros = random.Chance(30) ? random.Below(33) : 0;
        for (std::uint64_t i = 0; i < zeros; ++i) rs[half * 32 + i] = 0;
    }
    const std::string der = testsupport::DerFromRawSignature(rs.data());
    std::vector<std::uint8_t> input(der.begin(), der.end());
    const auto edits = random.Below(4);
    for (std::uint64_t e = 0; e < edits && !input.empty(); ++e) {
        const auto at = static_cast<std::size_t>(random.Below(input.size()));
        switch (random.Below(4)) {
        case 0: input[at] = static_cast<std::uint8_t>(random.Next()); break;
        case 1: input.erase(input.begin() + static_cast<std::ptrdiff_t>(at)); break;
        case 2: input.insert(input.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::uint8_t>(random.Next())); break;
        default: input.resize(at); break;
        }
    }
    if (random.Chance(10)) input = random.Bytes(static_cast<std::size_t>(random.Below(80)));
    return input;
}

void CheckSignatureParser(Random& random)
{
    const std::vector<std::uint8_t> input = SignatureInput(random);
    // An exact-size copy: the sanitizer catches any read past it.
    const std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[input.size()]);
    std::copy(input.begin(), input.end(), exact.get());
    const std::optional<P256Signature> parsed = P256SignatureFromDer({exact.get(), input.size()});
    if (!parsed) return;
    const std::string again = testsupport::DerFromRawSignature(parsed->data());
    Require(std::vector<std::uint8_t>(again.begin(), again.end()) == input,
            "a signature taken that is not in the one strict form");
    Require(std::any_of(parsed->begin(), parsed->begin() + 32, [](auto b) { return b != 0; }) &&
                std::any_of(parsed->begin() + 32, parsed->end(), [](auto b) { return b != 0; }),
            "a zero r or s taken");
}

std::string Pick(Random& random, std::initializer_list<const char*> choices)
{
    return *(choices.begin() + random.Below(choices.size()));
}

void CheckManifestRules(Random& random)
{
    std::string text = random.Chance(10) ? "\xEF\xBB\xBF" : "";
    const std::string header = Pick(random, {"[ZELORADATE]", "[zeloradate]", " [ ZeloraDate ] ", "[Other]"});
    text += header + "\r\n";
    const std::string serial = Pick(random, {"1", "7", "8", "0", "-3", "+8", "08", "999999999999999999",
                                             "1000000000000000000", "7x", ""});
    const std::string expires = Pick(random, {"20260615", "20260614", "20991231", "20260230", "2026061",
                                              "202606150", "abcdefgh", ""});
    const std::string version = Pick(random, {"20051013", "99999999999", "2005101", "20051013b", ""});
    const bool hasSerial = random.Chance(90), hasExpires = random.Chance(90), hasVersion = random.Chance(90);
    if (hasSerial) text += "SERIAL" + Pick(random, {"=", " = "}) + serial + "\r\n";
    if (hasExpires) text += "EXPIRES=" + expires + Pick(random, {"\r\n", "\n", "  \n"});
    if (hasVersion) text += "VER=" + version + "\n";
    if (random.Chance(20)) text += "[ZELORADATE]\nSERIAL=9999\n";  // a repeated section is not read
    const bool noise = random.Chance(20);
    if (noise) text += std::string(reinterpret_cast<const char*>(random.Bytes(20).data()), 20);

    const ManifestText manifest(text);
    // Digests stand for the manifests' bytes: "taken" is the one recorded with the serial.
    const std::string taken(64, 'a'), other(64, 'b');
    const AcceptedManifest accepted{random.Pick({0ull, 7ull, 8ull, 999999999999999999ull}),
                                    random.Chance(70) ? taken : std::string()};
    const std::string& digest = random.Chance(50) ? taken : other;
    const std::uint32_t today = 20260615;
    ManifestStamp stamp;
    const ManifestVerdict verdict = JudgeManifest(manifest, accepted, digest, today, &stamp);

    // A valid manifest, newer or the very one taken before, is taken.
    const auto validSerial = ParseSerial(serial);
    const bool valid = header != "[Other]" && hasSerial && hasExpires && hasVersion && validSerial &&
                       ParseDate(expires) && expires >= "20260615" && version == "20051013";
    const bool fresh = valid && (*validSerial > accepted.serial ||
                                 (*validSerial == accepted.serial && (accepted.sha256.empty() || digest == taken)));
    if (!noise) Require(fresh == (verdict == ManifestVerdict::Current), "a valid manifest refused, or a stale one taken");
    if (verdict != ManifestVerdict::Current) return;
    Require(stamp.serial > accepted.serial || accepted.sha256.empty() || digest == accepted.sha256,
            "a second manifest of one serial taken");
    const auto serialTaken = ParseSerial(manifest.Value("ZELORADATE", "SERIAL").value_or(""));
    const auto until = ParseDate(manifest.Value("ZELORADATE", "EXPIRES").value_or(""));
    Require(serialTaken && *serialTaken == stamp.serial && *serialTaken >= accepted.serial && *serialTaken > 0,
            "a replayed serial taken");
    Require(until && *until >= today, "an expired manifest taken");
    Require(manifest.Value("ZELORADATE", "VER").value_or("").size() == 8, "a version that is no date taken");
}

void CheckRedirects(Random& random)
{
    const std::string from = Pick(random, {"http://a.example/x.exe", "https://a.example/x.exe",
                                           "HTTPS://a.example:1/x", "ftp://a.example/x"});
    const std::string location =
        Pick(random, {"http://", "https://", "HTTP://", "/", "//", "file:///", "", "javascript:"}) +
        Pick(random, {"b.example/y.exe", "", "a b", "b.example/\"y", "y.exe"});
    const std::optional<std::string> target = RedirectTarget(from, location);
    if (!target) return;
    Require(IsDownloadAddress(*target), "a redirect to something that is no download address");
    const auto lower = [](std::string t) {
        for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return t;
    };
    Require(!lower(from).starts_with("https://") || lower(*target).starts_with("https://"),
            "a redirect from https to http");
}

void OneInput(Random& random)
{
    CheckSignatureParser(random);
    CheckManifestRules(random);
    CheckRedirects(random);
}

}  // namespace
}  // namespace zelora::fuzz

int main(int argc, char** argv)
{
    return zelora::fuzz::RunDriver(argc, argv, "manifest", zelora::fuzz::OneInput);
}
