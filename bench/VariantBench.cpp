// The variant array a job hands the application server: an array of three
// arrays (12, 30 and 30 elements) of strings and dates. Measures building it,
// copying it (shared and unshared), and turning its strings into OLE strings,
// as the calls across the automation boundary do.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/core/DateUtils.h"
#include "platform/core/Variant.h"

namespace {

constexpr int kSizes[3] = {12, 30, 30};

Variant MakeSection(int Section, int Count) {
  Variant A = VarArrayCreate({0, Count - 1});
  const TDateTime Day = EncodeDate(2024, 3, 5);
  for (int I = 0; I < Count; ++I) {
    if (I % 4 == 3)
      A.SetElement(I, VarFromDateTime(Day + I + 0.25));
    else
      A.SetElement(I, Variant("section" + std::to_string(Section) + "-field" + std::to_string(I) +
                              "-some condition text"));
  }
  return A;
}

Variant MakeJobParams() {
  Variant Params = VarArrayCreate({0, 2});
  for (int S = 0; S < 3; ++S) Params.SetElement(S, MakeSection(S, kSizes[S]));
  return Params;
}

// Every string element of a (nested) array becomes an OLE string.
void ToOleStrings(Variant& V) {
  if (VarIsArray(V)) {
    const int Low = VarArrayLowBound(V, 1), High = VarArrayHighBound(V, 1);
    for (int I = Low; I <= High; ++I) ToOleStrings(V.ElementRef(I));
  } else if (VarType(V) == varString) {
    V = VarAsType(V, varOleStr);
  }
}

void BM_BuildJobParams(benchmark::State& State) {
  for (auto _ : State) {
    Variant P = MakeJobParams();
    benchmark::DoNotOptimize(P);
  }
}
BENCHMARK(BM_BuildJobParams);

void BM_CopyJobParamsShared(benchmark::State& State) {
  const Variant P = MakeJobParams();
  for (auto _ : State) {
    Variant C = P;
    benchmark::DoNotOptimize(C);
  }
}
BENCHMARK(BM_CopyJobParamsShared);

// A copy that is then changed in one element of each section: unshares the
// outer array and the three sections (strings stay shared).
void BM_CopyJobParamsAndChange(benchmark::State& State) {
  const Variant P = MakeJobParams();
  for (auto _ : State) {
    Variant C = P;
    for (int S = 0; S < 3; ++S) C.ElementRef(S).SetElement(0, S);
    benchmark::DoNotOptimize(C);
  }
}
BENCHMARK(BM_CopyJobParamsAndChange);

void BM_ConvertJobParamsToOleStrings(benchmark::State& State) {
  const Variant P = MakeJobParams();
  for (auto _ : State) {
    Variant C = P;
    ToOleStrings(C);
    benchmark::DoNotOptimize(C);
  }
}
BENCHMARK(BM_ConvertJobParamsToOleStrings);

void BM_JobParamsRoundTrip(benchmark::State& State) {
  for (auto _ : State) {
    Variant P = MakeJobParams();
    Variant C = P;
    ToOleStrings(C);
    benchmark::DoNotOptimize(C);
  }
}
BENCHMARK(BM_JobParamsRoundTrip);

}  // namespace
