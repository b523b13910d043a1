// Vendor texts and manufacturer names.
#include <cstddef>
#include <iterator>

#include "util/processor/processor_tables.h"

namespace quendral::util {
namespace {

struct VendorText {
  const char* text;
  ProcessorVendor vendor;
};

// Searched in this order; the first text equal in all 12 characters wins.
constexpr VendorText kVendorTexts[] = {
    {"GenuineIntel", ProcessorVendor::Intel},
    {"UMC UMC UMC ", ProcessorVendor::Umc},
    {"AuthenticAMD", ProcessorVendor::Amd},
    {"AMD ISBETTER", ProcessorVendor::Amd},
    {"CyrixInstead", ProcessorVendor::Cyrix},
    {"NexGenDriven", ProcessorVendor::NexGen},
    {"CentaurHauls", ProcessorVendor::Centaur},
    {"RiseRiseRise", ProcessorVendor::Rise},
    {"GenuineTMx86", ProcessorVendor::Transmeta},
    {"TransmetaCPU", ProcessorVendor::Transmeta},
    {"Geode By NSC", ProcessorVendor::NationalSemiconductor},
};

// Indexed by vendor code.
constexpr const char* kManufacturerNames[] = {
    "Advanced Micro Devices",
    "Intel Corporation",
    "National Semiconductor",
    "United Microelectronics Corp.",
    "Cyrix Corp., VIA Inc.",
    "NexGen Inc., Advanced Micro Devices",
    "IDT\\Centaur, Via Inc.",
    "Rise",
    "Transmeta",
};

}  // namespace

ProcessorVendor VendorOfText(std::string_view vendor_text) {
  for (const VendorText& entry : kVendorTexts) {
    if (vendor_text == entry.text) {
      return entry.vendor;
    }
  }
  return ProcessorVendor::Unknown;
}

const char* ManufacturerName(ProcessorVendor vendor) {
  const auto code = static_cast<std::int32_t>(vendor);
  if (code < 0 || static_cast<std::size_t>(code) >= std::size(kManufacturerNames)) {
    return "Unknown Manufacturer";
  }
  return kManufacturerNames[code];
}

}  // namespace quendral::util
