#pragma once
// One fuzz target per file, written once and built twice:
//
//     KV_FUZZ_TARGET(colortext)
//     {
//         const QString text = KvFuzz::Text(Data, Size);
//         ...
//         KV_FUZZ_CHECK(ColorToARGB(ARGBToString(c, true)) == c);
//         return 0;
//     }
//
// - `make fuzz` builds it with clang and libFuzzer (KV_FUZZ_LIBFUZZER): the body is
//   LLVMFuzzerTestOneInput, a failed check aborts, the sanitizers report the rest.
// - The normal build compiles every target into the test tst_fuzzcorpora, which runs each on
//   every file of tests/fuzz/corpus/<name>/ (the seeds and every input that ever failed); there
//   a failed check throws and fails that file's row.
//
// A QApplication (offscreen) exists in both; the formats of numbers and dates are the C
// locale's unless a target chooses others (UseFormats).
#include <QString>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

namespace KvFuzz {

using TTarget = int (*)(const uint8_t *Data, size_t Size);
std::map<std::string, TTarget> &Targets();
struct TRegistration {
    TRegistration(const char *Name, TTarget Target) { Targets()[Name] = Target; }
};

// A broken expectation: an abort for libFuzzer, an exception for the replay.
[[noreturn]] void Fail(const char *What, const char *File, int Line);

// The bytes as the text a user or a file would give (UTF-8).
QString Text(const uint8_t *Data, size_t Size);
// The number and date formats of C, en_US or de_DE (Selector modulo 3), as users have them.
void UseFormats(uint8_t Selector);

} // namespace KvFuzz

#define KV_FUZZ_CHECK(Condition)                                                                                       \
    do {                                                                                                               \
        if (!(Condition))                                                                                              \
            KvFuzz::Fail(#Condition, __FILE__, __LINE__);                                                              \
    } while (0)

#ifdef KV_FUZZ_LIBFUZZER
#define KV_FUZZ_TARGET(Name) extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
#else
#define KV_FUZZ_TARGET(Name)                                                                                           \
    static int KvFuzzTarget_##Name(const uint8_t *Data, size_t Size);                                                  \
    static const KvFuzz::TRegistration KvFuzzRegistration_##Name(#Name, &KvFuzzTarget_##Name);                         \
    static int KvFuzzTarget_##Name(const uint8_t *Data, size_t Size)
#endif
