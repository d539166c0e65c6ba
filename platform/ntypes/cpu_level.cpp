// A build for x86-64-v3 (DRIVESYS_ARCH, the default on machines that have it: AVX2 and FMA) stops
// with a message on a processor without those instructions, before any code of the library runs,
// instead of dying of an illegal instruction somewhere in the first computation. This file alone
// is compiled for the x86-64 baseline, so that the check itself runs everywhere.
#if defined(DRIVESYS_REQUIRE_X86_64_V3) && defined(__x86_64__)
#include <cstdio>
#include <cstdlib>

namespace {

// Priority 101: before this library's constructors of default priority; the libraries that use
// this one are initialised after it. (The features both g++ and clang can ask for; a processor
// with them has the rest of the level too.)
__attribute__((constructor(101))) void requireX86_64_v3() {
    __builtin_cpu_init();
    if (!(__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") && __builtin_cpu_supports("bmi2"))) {
        std::fputs("drivesys: this build of the library needs an x86-64-v3 processor (AVX2, FMA, BMI2), and this "
                   "one lacks them; build it with -DDRIVESYS_ARCH= (empty) to run on any x86-64 processor\n",
                   stderr);
        std::abort();
    }
}

}  // namespace
#endif
