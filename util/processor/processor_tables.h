// The fixed tables of processor identification: vendor texts and model
// names.
#ifndef QUENDRAL_UTIL_PROCESSOR_PROCESSOR_TABLES_H_
#define QUENDRAL_UTIL_PROCESSOR_PROCESSOR_TABLES_H_

#include <cstdint>
#include <string_view>

#include "util/processor/processor.h"

namespace quendral::util {

// The vendor a 12-character vendor text names; Unknown for any other text.
ProcessorVendor VendorOfText(std::string_view vendor_text);

// The manufacturer's name for a vendor code; "Unknown Manufacturer" for a
// code outside the table.
const char* ManufacturerName(ProcessorVendor vendor);

// What a processor's signature identifies it as, for processors whose name
// is not in their brand string.
struct ModelSignature {
  ProcessorVendor vendor;
  std::int32_t family;
  std::int32_t model;
  std::int32_t extended_family;
  bool multiprocessor_capable;
};

// The model's name; null when the table has no text for it (an Intel family
// 15 processor of an extended family past 1). Names of processors the table
// does not know begin with "Unknown".
const char* ModelName(const ModelSignature& signature);

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_PROCESSOR_PROCESSOR_TABLES_H_
