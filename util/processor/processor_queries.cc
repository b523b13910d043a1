// What a detected ProcessorInfo answers.
#include "util/processor/processor.h"
#include "util/processor/processor_tables.h"

namespace quendral::util {

std::string ProcessorInfo::GetManufacturerName() const { return ManufacturerName(vendor_); }

// Without a time-stamp counter there is no measurement; the timing-loop
// estimate, when the processor's family allowed one, stands in for it.
std::int32_t ProcessorInfo::GetSpeedMHz() const {
  if (speed_measurement_ != nullptr) {
    return speed_measurement_->mhz;
  }
  return timing_loop_estimate_ > 0 ? timing_loop_estimate_ : -1;
}

std::int32_t ProcessorInfo::GetCacheSize(std::uint32_t selector) const {
  switch (selector) {
    case kFeatureLevel1Cache:
      return level1_cache_size_;
    case kFeatureLevel2Cache:
      return level2_cache_size_;
    case kFeatureLevel3Cache:
      return level3_cache_size_;
    default:
      return -1;
  }
}

bool ProcessorInfo::HasFeature(std::uint32_t mask) const {
  const struct {
    std::uint32_t mask;
    bool present;
  } features[] = {
      {kFeatureMmx, has_mmx_},
      {kFeatureExtendedMmx, has_extended_mmx_},
      {kFeatureSse, has_sse_},
      {kFeatureSse2, has_sse2_},
      {kFeature3DNow, has_3dnow_},
      {kFeature3DNowExtensions, has_3dnow_extensions_},
      {kFeatureIa64, ia64_},
      {kFeatureMultiprocessorCapable, multiprocessor_capable_},
      {kFeatureSerialNumber, has_serial_number_},
      {kFeatureApic, has_apic_},
      {kFeatureSseUsable, sse_usable_},
      {kFeatureAmdMmxExtensions, has_amd_mmx_extensions_},
      {kFeatureCmov, has_cmov_},
      {kFeatureMtrr, has_mtrr_},
      {kFeatureLevel1Cache, level1_cache_size_ != -1},
      {kFeatureLevel2Cache, level2_cache_size_ != -1},
      {kFeatureLevel3Cache, level3_cache_size_ != -1},
      {kFeatureAcpiThermalControl, has_acpi_thermal_control_},
      {kFeatureThermalMonitor, has_thermal_monitor_},
      {kFeatureTemperatureSensor, temperature_sensor_},
      {kFeatureFrequencyIdControl, frequency_id_control_},
      {kFeatureVoltageIdControl, voltage_id_control_},
  };
  for (const auto& feature : features) {
    if ((mask & feature.mask) != 0 && feature.present) {
      return true;
    }
  }
  return false;
}

}  // namespace quendral::util
