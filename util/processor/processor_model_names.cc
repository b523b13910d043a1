// Model names of processors identified by vendor, family and model.
#include <initializer_list>

#include "util/processor/processor_tables.h"

namespace quendral::util {
namespace {

struct Model {
  std::int32_t model;
  const char* name;
};

// The name listed for `model`, else `other`.
const char* ByModel(std::int32_t model, std::initializer_list<Model> models, const char* other) {
  for (const Model& entry : models) {
    if (entry.model == model) {
      return entry.name;
    }
  }
  return other;
}

// Windows-1252 signs used in the names.
#define REGISTERED "\xAE"
#define TRADE_MARK "\x99"
#define MICRO "\xB5"

const char* IntelPentium4(std::int32_t extended_family, std::int32_t model) {
  if (extended_family == 0) {
    return ByModel(model,
                   {{0, "Pentium" REGISTERED " IV (0.18 " MICRO "m)"},
                    {1, "Pentium" REGISTERED " IV (0.18 " MICRO "m)"},
                    {2, "Pentium" REGISTERED " IV (0.13 " MICRO "m)"}},
                   "Unknown Pentium 4 family");
  }
  return extended_family == 1 ? "Intel McKinley (IA-64)" : nullptr;
}

const char* Intel(std::int32_t family, std::int32_t model, std::int32_t extended_family) {
  switch (family) {
    case 3:
      return "Newer i80386 family";
    case 4:
      return ByModel(model,
                     {{0, "i80486DX-25/33"},
                      {1, "i80486DX-50"},
                      {2, "i80486SX"},
                      {3, "i80486DX2"},
                      {4, "i80486SL"},
                      {5, "i80486SX2"},
                      {7, "i80486DX2 WriteBack"},
                      {8, "i80486DX4"},
                      {9, "i80486DX4 WriteBack"}},
                     "Unknown 80486 family");
    case 5:
      return ByModel(model,
                     {{0, "P5 A-Step"},
                      {1, "P5"},
                      {2, "P54C"},
                      {3, "P24T OverDrive"},
                      {4, "P55C"},
                      {7, "P54C"},
                      {8, "P55C (0.25" MICRO "m)"}},
                     "Unknown Pentium" REGISTERED " family");
    case 6:
      return ByModel(
          model,
          {{0, "P6 A-Step"},
           {1, "P6"},
           {3, "Pentium" REGISTERED " II (0.28 " MICRO "m)"},
           {5, "Pentium" REGISTERED " II (0.25 " MICRO "m)"},
           {6, "Pentium" REGISTERED " II With On-Die L2 Cache"},
           {7, "Pentium" REGISTERED " III (0.25 " MICRO "m)"},
           {8, "Pentium" REGISTERED " III (0.18 " MICRO "m) With 256 KB On-Die L2 Cache "},
           {10, "Pentium" REGISTERED " III (0.18 " MICRO "m) With 1 Or 2 MB On-Die L2 Cache "},
           {11, "Pentium" REGISTERED " III (0.13 " MICRO "m) With 256 Or 512 KB On-Die L2 Cache "}},
          "Unknown P6 family");
    case 7:
      return "Intel Merced (IA-64)";
    case 15:
      return IntelPentium4(extended_family, model);
    default:
      return "Unknown Intel family";
  }
}

const char* Amd(std::int32_t family, std::int32_t model, bool multiprocessor_capable) {
  switch (family) {
    case 4:
      return ByModel(model,
                     {{3, "80486DX2"},
                      {7, "80486DX2 WriteBack"},
                      {8, "80486DX4"},
                      {9, "80486DX4 WriteBack"},
                      {14, "5x86"},
                      {15, "5x86WB"}},
                     "Unknown 80486 family");
    case 5:
      return ByModel(model,
                     {{0, "SSA5 (PR75, PR90, PR100)"},
                      {1, "5k86 (PR120, PR133)"},
                      {2, "5k86 (PR166)"},
                      {3, "5k86 (PR200)"},
                      {6, "K6 (0.30 " MICRO "m)"},
                      {7, "K6 (0.25 " MICRO "m)"},
                      {8, "K6-2"},
                      {9, "K6-III"},
                      {13, "K6-2+ or K6-III+ (0.18 " MICRO "m)"}},
                     "Unknown 80586 family");
    case 6:
      if (model == 8) {
        return multiprocessor_capable ? "Athlon" TRADE_MARK " MP (Thoroughbred core)"
                                      : "Athlon" TRADE_MARK " XP (Thoroughbred core)";
      }
      return ByModel(model,
                     {{1, "Athlon" TRADE_MARK " (0.25 " MICRO "m)"},
                      {2, "Athlon" TRADE_MARK " (0.18 " MICRO "m)"},
                      {3, "Duron" TRADE_MARK " (SF core)"},
                      {4, "Athlon" TRADE_MARK " (Thunderbird core)"},
                      {6, "Athlon" TRADE_MARK " (Palomino core)"},
                      {7, "Duron" TRADE_MARK " (Morgan core)"}},
                     "Unknown K7 family");
    default:
      return "Unknown AMD family";
  }
}

const char* Cyrix(std::int32_t family, std::int32_t model) {
  switch (family) {
    case 4:
      return ByModel(model, {{4, "MediaGX GX, GXm"}, {9, "5x86"}}, "Unknown Cx5x86 family");
    case 5:
      return ByModel(model, {{2, "Cx6x86"}, {4, "MediaGX GXm"}}, "Unknown Cx6x86 family");
    case 6:
      return ByModel(model,
                     {{0, "6x86MX"},
                      {5, "Cyrix M2 Core"},
                      {6, "WinChip C5A Core"},
                      {7, "WinChip C5B\\C5C Core"},
                      {8, "WinChip C5C-T Core"}},
                     "Unknown 6x86MX\\Cyrix III family");
    default:
      return "Unknown Cyrix family";
  }
}

const char* Centaur(std::int32_t family, std::int32_t model) {
  constexpr const char* kUnknown = "Unknown IDT\\Centaur family";
  if (family == 5) {
    return ByModel(model, {{4, "C6"}, {8, "C2"}, {9, "C3"}}, kUnknown);
  }
  return family == 6 && model == 6 ? "VIA Cyrix III - Samuel" : kUnknown;
}

const char* Transmeta(std::int32_t family, std::int32_t model) {
  if (family != 5) {
    return "Unknown Transmeta family";
  }
  return model == 4 ? "Crusoe TM3x00 and TM5x00" : "Unknown Crusoe family";
}

const char* Rise(std::int32_t family, std::int32_t model) {
  constexpr const char* kUnknown = "Unknown Rise family";
  if (family != 5) {
    return kUnknown;
  }
  return ByModel(model, {{0, "mP6 (0.25 " MICRO "m)"}, {2, "mP6 (0.18 " MICRO "m)"}}, kUnknown);
}

const char* Umc(std::int32_t family, std::int32_t model) {
  constexpr const char* kUnknown = "Unknown UMC family";
  return family == 4 ? ByModel(model, {{1, "U5D"}, {2, "U5S"}}, kUnknown) : kUnknown;
}

#undef REGISTERED
#undef TRADE_MARK
#undef MICRO

}  // namespace

const char* ModelName(const ModelSignature& signature) {
  const std::int32_t family = signature.family;
  const std::int32_t model = signature.model;
  switch (signature.vendor) {
    case ProcessorVendor::Intel:
      return Intel(family, model, signature.extended_family);
    case ProcessorVendor::Amd:
      return Amd(family, model, signature.multiprocessor_capable);
    case ProcessorVendor::Cyrix:
      return Cyrix(family, model);
    case ProcessorVendor::Centaur:
      return Centaur(family, model);
    case ProcessorVendor::Umc:
      return Umc(family, model);
    case ProcessorVendor::NexGen:
      return family == 5 && model == 0 ? "Nx586 or Nx586FPU" : "Unknown NexGen family";
    case ProcessorVendor::Rise:
      return Rise(family, model);
    case ProcessorVendor::Transmeta:
      return Transmeta(family, model);
    case ProcessorVendor::NationalSemiconductor:
      return "Cx486SLC \\ DLC \\ Cx486S A-Step";
    default:
      return "Unknown family";
  }
}

}  // namespace quendral::util
