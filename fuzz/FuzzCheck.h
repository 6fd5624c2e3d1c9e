#pragma once

#include <cstdio>
#include <cstdlib>

// An invariant of a parser that every input must keep. A broken one aborts, which libFuzzer
// reports as a crash and saves the input that broke it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
