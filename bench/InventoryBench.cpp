// Times the installed scan over a registry with many DirectShow filters: the one-pass scan
// the program uses, against a walk of every filter for every decoder (kept here only for
// comparison) and against its lower bound, a bare loop that opens each registration key
// once and reads its values. Also counts the registry calls of each.
//
//   zelora_bench_inventory [--registry=memory|real] [--filters=N] [--seed] [benchmark options]
//
// "memory" (the default) seeds an in-memory registry with N filters (1000) and the seven
// decoders; "real" scans the machine's registry as it is, where the build supplies one, or,
// with --seed, after adding N filters and the seven decoders to it for the run (everything
// added is removed again and the decoders' values are put back).

#include "bench/BenchFixtures.h"
#include "bench/BenchRegistry.h"
#include "bench/RealSeed.h"
#include "codecs/FilterInventory.h"
#include "pages/InstalledDecoders.h"
#include "platform/registry/CountingRegistry.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/text/Text.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#if ZELORA_HAVE_GOOGLE_BENCHMARK
#include <benchmark/benchmark.h>
#endif

namespace zelora::bench {
namespace {

constexpr int kDefaultFilters = 1000;

class NoLauncher final : public ProcessLauncher {
public:
    void StartHidden(std::string_view) override {}
};

std::string Numbered(const char* prefix, int number, const char* suffix)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04d", number);
    return prefix + std::string(digits) + suffix;
}

// `filters` registered filters; the decoders' files are spread among them, except that
// "Divx5" is not registered and "DivxG400" has no version record.
void Seed(RegistryBackend& registry, int filters)
{
    for (int i = 0; i < filters; ++i) {
        const std::string instance =
            std::string(kFilterCategoryPath) + Numbered("\\{BENCH-I-", i, "}");
        const std::string clsid = Numbered("{BENCH-C-", i, "}");
        SetString(registry, RegRoot::ClassesRoot, instance, "FriendlyName",
                  Numbered("Bench filter ", i, ""));
        SetString(registry, RegRoot::ClassesRoot, instance, "CLSID", clsid);
        SetString(registry, RegRoot::ClassesRoot, "CLSID\\" + clsid + "\\InprocServer32", "",
                  Numbered("C:\\Windows\\System32\\filter", i, ".ax"));
    }
    for (std::size_t k = 0; k < kDecoderNames.size(); ++k) {
        const std::string_view name = kDecoderNames[k];
        const std::string file =
            name == "Divx5" ? std::string("divx-unregistered.ax")
                            : Numbered("filter", static_cast<int>(k * 137) % filters, ".ax");
        SetString(registry, RegRoot::LocalMachine, std::string(kInstallKey), name,
                  "C:\\Codecs\\" + file);
        if (name != "DivxG400")
            SetString(registry, RegRoot::LocalMachine, std::string(kCodecVersionKey), name,
                      "(1.0." + std::to_string(k) + ")");
    }
}

// The straightforward scan: for every decoder, walk every filter and compare its server.
std::vector<InventoryRow> PerDecoderScan(RegistryStore& store)
{
    std::vector<InventoryRow> rows;
    std::vector<std::string> names;
    store.Backend().EnumValueNames(RegRoot::LocalMachine, kInstallKey, KeyOpen::CreateIfMissing,
                                   names);
    for (const std::string& name : names) {
        if (name == "0") continue;
        const std::string path = store.ReadString(RegRoot::LocalMachine, kInstallKey, name);
        const std::string version =
            store.ReadString(RegRoot::LocalMachine, kCodecVersionKey, name);
        bool registered = false;
        std::vector<std::string> filters;
        store.Backend().EnumSubkeyNames(RegRoot::ClassesRoot, kFilterCategoryPath,
                                        KeyOpen::ExistingOnly, filters);
        for (const std::string& filter : filters) {
            const std::string key = std::string(kFilterCategoryPath) + "\\" + filter;
            if (store.ReadString(RegRoot::ClassesRoot, key, "FriendlyName") ==
                RegistryStore::MissingString)
                continue;
            const std::string clsid = store.ReadString(RegRoot::ClassesRoot, key, "CLSID");
            const std::string server = store.ReadString(
                RegRoot::ClassesRoot, "CLSID\\" + clsid + "\\InprocServer32", "");
            if (ServerFileName(server) == ServerFileName(path)) registered = true;
        }
        if (version != RegistryStore::MissingString) InstalledDecoders::MarkInstalled(name);
        if (registered)
            rows.push_back({DisplayTextOf(name, version), path, "0", name});
    }
    return rows;
}

std::vector<InventoryRow> OnePassScan(RegistryStore& store)
{
    NoLauncher launcher;
    EveryFileExists files;
    return FilterInventory(store, launcher, "regsvr32.exe", files).ScanInstalled();
}

// The lower bound yields no rows; its registry calls are counted by the walk itself.
std::vector<InventoryRow> LowerBound(RegistryStore& store)
{
    BareRegistrationWalk(store.Backend());
    return {};
}

using ScanFunction = std::vector<InventoryRow> (*)(RegistryStore&);

struct Scan {
    const char* name;
    ScanFunction function;
    std::uint64_t callsPerScan = 0;
};

struct ScanOutcome {
    std::vector<InventoryRow> rows;
    std::array<bool, kDecoderNames.size()> flags{};
    std::uint64_t calls = 0;
};

ScanOutcome RunCounted(RegistryBackend& registry, ScanFunction function)
{
    CountingRegistry counting(registry);
    RegistryStore store(counting);
    InstalledDecoders::ResetForTests();
    ScanOutcome outcome;
    outcome.rows = function(store);
    for (std::size_t i = 0; i < kDecoderNames.size(); ++i)
        outcome.flags[i] = InstalledDecoders::IsInstalled(static_cast<Decoder>(i));
    outcome.calls = counting.Counts().Total();
    return outcome;
}

struct Options {
    bool realRegistry = false;
    bool seedReal = false;
    int filters = kDefaultFilters;
};

// Takes this program's own options out of argv, leaving the rest to the benchmark library.
bool ParseOwnOptions(int& argc, char** argv, Options& options)
{
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--registry=memory") {
            options.realRegistry = false;
        } else if (arg == "--registry=real") {
            options.realRegistry = true;
        } else if (arg == "--seed") {
            options.seedReal = true;
        } else if (arg.rfind("--filters=", 0) == 0) {
            options.filters = std::atoi(argv[i] + std::strlen("--filters="));
            if (options.filters < 1) {
                std::fprintf(stderr, "--filters needs a positive number\n");
                return false;
            }
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return true;
}

#if !ZELORA_HAVE_GOOGLE_BENCHMARK
// Without the benchmark library: time a fixed number of scans with the steady clock.
double TimeScans(RegistryBackend& registry, const Scan& scan)
{
    RegistryStore store(registry);
    int iterations = 0;
    const auto start = std::chrono::steady_clock::now();
    auto elapsed = std::chrono::steady_clock::duration::zero();
    while (iterations < 3 || elapsed < std::chrono::seconds(1)) {
        const auto rows = scan.function(store);
        if (rows.size() > 1000000) std::puts("");  // keeps the scan from being optimised out
        ++iterations;
        elapsed = std::chrono::steady_clock::now() - start;
    }
    const double micros =
        std::chrono::duration<double, std::micro>(elapsed).count() / iterations;
    std::printf("%-28s %12.1f us/scan %10d scans %10llu registry calls/scan\n", scan.name,
                micros, iterations, static_cast<unsigned long long>(scan.callsPerScan));
    return micros;
}
#endif

int Main(int argc, char** argv)
{
    Options options;
    if (!ParseOwnOptions(argc, argv, options)) return 2;

    if (options.seedReal && !options.realRegistry) {
        std::fprintf(stderr, "--seed goes with --registry=real\n");
        return 2;
    }
    std::unique_ptr<RegistryBackend> registry;
    std::unique_ptr<RealSeed> seed;
    if (options.realRegistry) {
        registry = CreateRealRegistry();
        if (!registry) {
            std::fprintf(stderr, "this build has no real registry; use --registry=memory\n");
            return 2;
        }
        if (options.seedReal)
            seed = std::make_unique<RealSeed>(*registry, [&](RegistryBackend& real) { Seed(real, options.filters); });
    } else {
        registry = std::make_unique<MemoryRegistry>();
        Seed(*registry, options.filters);
    }

    Scan scans[] = {
        {"ScanInstalled/one_pass", &OnePassScan},
        {"ScanInstalled/lower_bound", &LowerBound},
        {"ScanInstalled/per_decoder", &PerDecoderScan},
    };
    const ScanOutcome onePass = RunCounted(*registry, scans[0].function);
    const ScanOutcome perDecoder = RunCounted(*registry, scans[2].function);
    scans[0].callsPerScan = onePass.calls;
    scans[1].callsPerScan = BareRegistrationWalk(*registry);
    scans[2].callsPerScan = perDecoder.calls;
    // The walk it replaced found no health: the rows are compared without it.
    std::vector<InventoryRow> onePassRows = onePass.rows;
    for (InventoryRow& row : onePassRows) {
        row.health = DecoderHealth::Healthy;
        row.registeredPath.clear();
    }
    if (onePassRows != perDecoder.rows || onePass.flags != perDecoder.flags) {
        std::fprintf(stderr, "the two scans disagree: %zu rows against %zu\n",
                     onePass.rows.size(), perDecoder.rows.size());
        return 1;
    }
    std::string source = options.realRegistry ? "real" : "memory";
    if (!options.realRegistry || options.seedReal)
        source += ", " + std::to_string(options.filters) + " filters added";
    std::printf("registry: %s; rows: %zu; registry calls per scan: one pass %llu, "
                "per decoder %llu, lower bound %llu\n",
                source.c_str(), onePass.rows.size(), static_cast<unsigned long long>(onePass.calls),
                static_cast<unsigned long long>(perDecoder.calls),
                static_cast<unsigned long long>(scans[1].callsPerScan));

#if ZELORA_HAVE_GOOGLE_BENCHMARK
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    RegistryBackend& backend = *registry;
    for (const Scan& scan : scans) {
        benchmark::RegisterBenchmark(scan.name, [&backend, scan](benchmark::State& state) {
            RegistryStore store(backend);
            for (auto _ : state) {
                auto rows = scan.function(store);
                benchmark::DoNotOptimize(rows);
            }
            state.counters["registry_calls"] =
                benchmark::Counter(static_cast<double>(scan.callsPerScan));
        })->Unit(benchmark::kMicrosecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
#else
    double micros[std::size(scans)] = {};
    for (std::size_t i = 0; i < std::size(scans); ++i) micros[i] = TimeScans(*registry, scans[i]);
    std::printf("one pass / lower bound: %.2f\n", micros[0] / micros[1]);
#endif
    return 0;
}

}  // namespace
}  // namespace zelora::bench

int main(int argc, char** argv) { return zelora::bench::Main(argc, argv); }
