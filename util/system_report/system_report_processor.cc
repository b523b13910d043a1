// Report lines about the processor.
#include "util/processor/processor.h"
#include "util/system_report/system_report.h"

namespace quendral::util {

std::string GetProcessorSpeedText(const ProcessorProbe& probe) {
  const ProcessorInfo info(probe);
  return std::to_string(info.GetSpeedMHz()) + " MHz";
}

std::string GetProcessorReport(const ProcessorProbe& probe) {
  const ProcessorInfo info(probe);
  if (!info.IsCpuidSupported()) {
    return "Error: CPU does not support CPUID.";
  }
  return "Vendor ID: " + info.GetManufacturerName() + "<br>CPU Type ID: " + info.GetTypeText() +
         "<br>Family ID: " + info.GetFamilyText() + "<br>Model ID: " + info.GetModelText() +
         "<br>Stepping Code: " + info.GetSteppingText() +
         "<br>Brand ID: " + info.GetProcessorName();
}

std::string GetProcessorBrief(const ProcessorProbe& probe) {
  const ProcessorInfo info(probe);
  if (!info.IsCpuidSupported()) {
    return "CPU does not support CPUID.";
  }
  return "Vendor ID: " + info.GetManufacturerName() + "<br>Brand ID: " + info.GetProcessorName();
}

}  // namespace quendral::util
