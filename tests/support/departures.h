// Marks the tests that check where the stand-in knowingly behaves otherwise than
// the real host, so that a departure is never mistaken for the host's contract.
// Two kinds: the stand-in mends what would be a fault of the real host (a crash,
// lost data), or it falls short of the real host (a format it cannot read, a
// measure it lacks). Each mark is recorded as a property of the test, so a run
// with --gtest_output=xml lists them all, and printed with the test's output.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace arxtest {

enum class Departure {
    kMendsHostFault,  // the real host would fail badly here; the stand-in does the sound thing
    kShortOfHost,     // the real host does more here than the stand-in does
};

inline void departsFromHost(Departure kind, const std::string& what)
{
    const char* key = kind == Departure::kMendsHostFault ? "mends_host_fault" : "short_of_host";
    ::testing::Test::RecordProperty(key, what);
    std::printf("[ DEPARTS  ] %s: %s\n", key, what.c_str());
}

}  // namespace arxtest
