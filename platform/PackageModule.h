#pragma once
// What a package library hands the host: its info table with the package flags, its
// description, the packages it requires and its units in order, each with its
// initialization, finalization and (where it has one) Register procedure.
#include <cstdint>

using TUnitProc = void (*)();

struct TPackageUnitEntry {
    const char *Name;
    TUnitProc Init;     // may be nil
    TUnitProc FInit;    // finalization; may be nil
    TUnitProc Register; // may be nil
};

struct TPackageInfoTable {
    uint32_t Flags;
    const char *Name;
    const char *Description;
    int RequiresCount;
    const char *const *Requires;
    int UnitCount;
    const TPackageUnitEntry *Units;
};

// Package flag bits the host reads.
constexpr uint32_t pfDesignOnly = 0x00000002;
constexpr uint32_t pfRunOnly = 0x00000001;

// A unit's initialization and finalization run once however often they are called: the
// usual per-unit counter.
struct TUnitCounter {
    int Count = 0;
    template <class F> void Initialize(F &&Init)
    {
        if (Count++ == 0)
            Init();
    }
    template <class F> void Finalize(F &&Fini)
    {
        if (Count > 0 && --Count == 0)
            Fini();
    }
};

// The exported entry points, with C linkage, as the host looks them up.
extern "C" {
using TGetPackageInfoTableProc = const TPackageInfoTable *(*)();
using TPackageInitProc = void (*)();
}
