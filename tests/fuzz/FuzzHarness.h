#pragma once
// A small deterministic fuzzing harness: each driver is one program that runs its input
// generator and invariant checks over a fixed number of inputs. Input i is generated from
// a generator seeded with (seed, i) alone, so any failing input is reproduced by its seed
// and iteration, without the inputs before it:
//
//   zelora_fuzz_<driver> [--count N] [--seed S] [--iteration I]
//
// The count also comes from ZELORA_FUZZ_COUNT when no --count is given.
//
// A driver is one file, tests/fuzz/<Name>Fuzz.cpp, whose main calls RunDriver with a step
// that makes one input and checks its invariants; the build makes it a program and the
// tests run it (see CMakeLists.txt), scripts/fuzz.sh runs it longer.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zelora::fuzz {

// splitmix64: tiny, fast, and identical on every compiler and platform (the standard
// library's distributions are not), so a printed seed reproduces anywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t Next();
    // Uniform in [0, bound); bound 0 gives 0.
    std::uint64_t Below(std::uint64_t bound);
    // Uniform in [low, high].
    std::int64_t Between(std::int64_t low, std::int64_t high);
    // True with probability percent / 100.
    bool Chance(unsigned percent);
    std::vector<unsigned char> Bytes(std::size_t count);

    template <class T>
    const T& Pick(std::span<const T> items)
    {
        return items[static_cast<std::size_t>(Below(items.size()))];
    }
    template <class T, std::size_t N>
    const T& Pick(const T (&items)[N])
    {
        return items[static_cast<std::size_t>(Below(N))];
    }

private:
    std::uint64_t m_state;
};

// A broken invariant: the harness reports it with the input that broke it.
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws Failure with `what` unless `holds`.
void Require(bool holds, const std::string& what);

// Runs `one` over the inputs the command line asks for; prints one line of counts, or the
// failing input's seed and iteration and the broken invariant. Returns the exit code.
using DriverStep = void (*)(Random& random);
int RunDriver(int argc, char** argv, std::string_view driverName, DriverStep one);

}  // namespace zelora::fuzz
