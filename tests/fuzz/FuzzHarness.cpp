#include "fuzz/FuzzHarness.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELORA_FUZZ_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ZELORA_FUZZ_SANITIZED 1
#endif
#if defined(ZELORA_FUZZ_SANITIZED)
#include <sanitizer/common_interface_defs.h>
#endif

// UndefinedBehaviorSanitizer ends the process on its own path, without the death callback
// that AddressSanitizer calls: make it abort instead, so the crash report below names the
// input. (Hooks the sanitizers look up; unused in a plain build.)
extern "C" const char* __ubsan_default_options()
{
    return "abort_on_error=1:print_stacktrace=1";
}

namespace zelora::fuzz {
namespace {

constexpr std::uint64_t kDefaultSeed = 0x5A454C4F5241;  // fixed: every run sees the same inputs
constexpr std::uint64_t kDefaultCount = 2000;

// The input being run, for the reports of a crash or a sanitizer, which end the process
// before any exception handler could say which input it was.
const char* g_driver = "";
std::uint64_t g_seed = 0;
std::uint64_t g_iteration = 0;
bool g_running = false;

void ReportCurrentInput()
{
    if (!g_running) return;
    std::fprintf(stderr,
                 "fuzz %s: died at seed %llu iteration %llu (rerun with --seed %llu "
                 "--iteration %llu)\n",
                 g_driver, static_cast<unsigned long long>(g_seed),
                 static_cast<unsigned long long>(g_iteration),
                 static_cast<unsigned long long>(g_seed),
                 static_cast<unsigned long long>(g_iteration));
    std::fflush(stderr);
}

extern "C" void OnFatalSignal(int signal)
{
    ReportCurrentInput();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void InstallCrashReports()
{
    for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGILL}) std::signal(signal, OnFatalSignal);
#if defined(ZELORA_FUZZ_SANITIZED)
    __sanitizer_set_death_callback(ReportCurrentInput);
#endif
}

// Input i's generator seed: a mix of both, so neighbouring iterations share no state.
std::uint64_t InputSeed(std::uint64_t seed, std::uint64_t iteration)
{
    Random mix(seed ^ (iteration * 0x9E3779B97F4A7C15ull));
    mix.Next();
    return mix.Next();
}

bool ParseNumber(const char* text, std::uint64_t& value)
{
    if (text == nullptr || *text == '\0') return false;
    char* end = nullptr;
    value = std::strtoull(text, &end, 0);
    return *end == '\0';
}

struct Options {
    std::uint64_t count = kDefaultCount;
    std::uint64_t seed = kDefaultSeed;
    bool single = false;
    std::uint64_t iteration = 0;
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    if (const char* count = std::getenv("ZELORA_FUZZ_COUNT")) {
        if (!ParseNumber(count, options.count)) return false;
    }
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        std::uint64_t* target = option == "--count"       ? &options.count
                                : option == "--seed"      ? &options.seed
                                : option == "--iteration" ? &options.iteration
                                                          : nullptr;
        if (target == nullptr || !ParseNumber(value, *target)) return false;
        if (option == "--iteration") options.single = true;
        ++i;
    }
    return true;
}

}  // namespace

std::uint64_t Random::Next()
{
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t Random::Below(std::uint64_t bound)
{
    if (bound == 0) return 0;
    // Rejection keeps small bounds free of the modulo's bias.
    const std::uint64_t threshold = (0 - bound) % bound;
    for (;;) {
        const std::uint64_t r = Next();
        if (r >= threshold) return r % bound;
    }
}

std::int64_t Random::Between(std::int64_t low, std::int64_t high)
{
    const auto span = static_cast<std::uint64_t>(high) - static_cast<std::uint64_t>(low);
    const std::uint64_t offset = span == ~std::uint64_t{0} ? Next() : Below(span + 1);
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(low) + offset);
}

bool Random::Chance(unsigned percent)
{
    return Below(100) < percent;
}

std::vector<unsigned char> Random::Bytes(std::size_t count)
{
    std::vector<unsigned char> bytes(count);
    for (std::size_t i = 0; i < count; i += 8) {
        const std::uint64_t r = Next();
        const std::size_t n = count - i < 8 ? count - i : 8;
        std::memcpy(bytes.data() + i, &r, n);
    }
    return bytes;
}

void Require(bool holds, const std::string& what)
{
    if (!holds) throw Failure(what);
}

int RunDriver(int argc, char** argv, std::string_view driverName, DriverStep one)
{
    Options options;
    const std::string name(driverName);
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s [--count N] [--seed S] [--iteration I]\n", argv[0]);
        return 2;
    }
    g_driver = name.c_str();
    g_seed = options.seed;
    InstallCrashReports();

    const std::uint64_t first = options.single ? options.iteration : 0;
    const std::uint64_t end = options.single ? options.iteration + 1 : options.count;
    for (std::uint64_t i = first; i < end; ++i) {
        g_iteration = i;
        g_running = true;
        try {
            Random random(InputSeed(options.seed, i));
            one(random);
        } catch (const std::exception& e) {
            std::fprintf(stderr,
                         "fuzz %s: FAILED at seed %llu iteration %llu: %s\n"
                         "  rerun with: %s --seed %llu --iteration %llu\n",
                         name.c_str(), static_cast<unsigned long long>(options.seed),
                         static_cast<unsigned long long>(i), e.what(), argv[0],
                         static_cast<unsigned long long>(options.seed),
                         static_cast<unsigned long long>(i));
            return 1;
        }
        g_running = false;
    }
    std::printf("fuzz %s: %llu inputs passed (seed %llu)\n", name.c_str(),
                static_cast<unsigned long long>(end - first),
                static_cast<unsigned long long>(options.seed));
    return 0;
}

}  // namespace zelora::fuzz
