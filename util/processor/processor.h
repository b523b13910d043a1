// Identification of the x86 processor the program runs on: vendor,
// signature, feature flags, cache sizes, clock speed, name and serial number,
// all detected once when a ProcessorInfo is constructed.
//
// Family and model are the 4-bit fields of the signature; the extended
// fields are kept beside them and never added in. Processor names are texts
// in the Windows-1252 code page (registered sign 0xAE, trade mark sign 0x99,
// micro sign 0xB5).
#ifndef QUENDRAL_UTIL_PROCESSOR_PROCESSOR_H_
#define QUENDRAL_UTIL_PROCESSOR_PROCESSOR_H_

#include <cstdint>
#include <memory>
#include <string>

#include "util/processor/processor_probe.h"

namespace quendral::util {

enum class ProcessorVendor : std::int32_t {
  Amd = 0,
  Intel = 1,
  NationalSemiconductor = 2,
  Umc = 3,
  Cyrix = 4,
  NexGen = 5,
  Centaur = 6,
  Rise = 7,
  Transmeta = 8,
  Unknown = 9,
};

// Masks of HasFeature, which may be combined. The three cache masks are
// also GetCacheSize's selectors. 0x100 selects nothing.
enum ProcessorFeature : std::uint32_t {
  kFeatureMmx = 0x1,
  kFeatureExtendedMmx = 0x2,
  kFeatureSse = 0x4,
  kFeatureSse2 = 0x8,
  kFeature3DNow = 0x10,
  kFeature3DNowExtensions = 0x20,
  kFeatureIa64 = 0x40,
  kFeatureMultiprocessorCapable = 0x80,
  kFeatureSerialNumber = 0x200,
  kFeatureApic = 0x400,
  kFeatureSseUsable = 0x800,
  kFeatureAmdMmxExtensions = 0x1000,
  kFeatureCmov = 0x2000,
  kFeatureMtrr = 0x4000,
  kFeatureLevel1Cache = 0x8000,
  kFeatureLevel2Cache = 0x10000,
  kFeatureLevel3Cache = 0x20000,
  kFeatureAcpiThermalControl = 0x40000,
  kFeatureThermalMonitor = 0x80000,
  kFeatureTemperatureSensor = 0x100000,
  kFeatureFrequencyIdControl = 0x200000,
  kFeatureVoltageIdControl = 0x400000,
};

// A measured clock speed.
struct SpeedMeasurement {
  std::int32_t mhz = 0;
};

class ProcessorInfo {
 public:
  // Detects the processor the program runs on; spins the thread for about
  // 50 milliseconds to time the clock.
  ProcessorInfo();
  // Detects the processor `probe` stands for; the probe must outlive the
  // object.
  explicit ProcessorInfo(const ProcessorProbe& probe);

  ProcessorInfo(const ProcessorInfo&) = delete;
  ProcessorInfo& operator=(const ProcessorInfo&) = delete;

  // Whether the identification instruction runs without a fault.
  bool IsCpuidSupported() const;

  std::string GetManufacturerName() const;
  std::string GetVendorText() const { return vendor_text_; }
  std::string GetTypeText() const { return std::to_string(type_); }
  std::string GetFamilyText() const { return std::to_string(family_); }
  std::string GetModelText() const { return std::to_string(model_); }
  std::string GetSteppingText() const { return std::to_string(stepping_); }
  std::string GetProcessorName() const { return processor_name_; }
  // Six groups of four lower-case hexadecimal digits, or empty.
  std::string GetSerialNumberText() const { return serial_number_text_; }
  std::int32_t GetLogicalProcessorCount() const { return logical_processor_count_; }
  std::int32_t GetApicId() const { return apic_id_; }
  ProcessorVendor GetVendor() const { return vendor_; }

  // The measured MHz. A processor without a time-stamp counter reports the
  // timing-loop estimate instead, when one could be made; otherwise -1.
  std::int32_t GetSpeedMHz() const;
  // KB of the cache a kFeatureLevel*Cache selector names; -1 when unknown or
  // for any other selector.
  std::int32_t GetCacheSize(std::uint32_t selector) const;
  // Whether any feature the mask selects is present.
  bool HasFeature(std::uint32_t mask) const;

 private:
  void Detect();
  bool DetectVendorAndSignature();
  bool DetectStandardFeatures();
  bool MeasureSpeed();
  bool EstimateSpeedWithTimingLoop();
  bool DetectCachesFromExtendedLeaves();
  bool DetectCachesFromDescriptors();
  bool DetectExtendedFeatures();
  bool DetectPowerManagement();
  bool ReadBrandString();
  bool DecodeModelName();
  bool ReadSerialNumber();

  bool IsExtendedLeafAvailable(std::uint32_t leaf) const;
  bool Cpuid(std::uint32_t leaf, os::CpuidRegisters* registers) const;
  // Time-stamp-counter cycles a call of `routine` with `milliseconds` took;
  // -1 when the counter faulted.
  std::int64_t MeasureCycles(void (ProcessorProbe::*routine)(std::uint32_t) const,
                             std::uint32_t milliseconds) const;

  const ProcessorProbe* probe_;

  ProcessorVendor vendor_ = ProcessorVendor::Unknown;
  bool has_fpu_ = false;
  bool has_time_stamp_counter_ = false;
  bool has_mmx_ = false;
  bool has_sse_ = false;
  bool sse_usable_ = false;
  bool has_sse2_ = false;
  bool ia64_ = false;
  bool has_apic_ = false;
  bool has_cmov_ = false;
  bool has_mtrr_ = false;
  bool has_acpi_thermal_control_ = false;
  bool has_serial_number_ = false;
  bool has_thermal_monitor_ = false;
  std::int32_t timing_loop_estimate_ = 0;
  std::int32_t level1_cache_size_ = -1;
  std::int32_t level2_cache_size_ = -1;
  std::int32_t level3_cache_size_ = -1;
  bool has_3dnow_ = false;
  bool has_3dnow_extensions_ = false;
  bool multiprocessor_capable_ = false;
  bool has_extended_mmx_ = false;
  bool has_amd_mmx_extensions_ = false;
  bool hyper_threading_ = false;
  std::int32_t logical_processor_count_ = 0;
  std::int32_t apic_id_ = 0;
  bool voltage_id_control_ = false;
  bool frequency_id_control_ = false;
  bool temperature_sensor_ = false;
  std::unique_ptr<SpeedMeasurement> speed_measurement_;
  std::int32_t type_ = 0;
  std::int32_t family_ = 0;
  std::int32_t model_ = 0;
  std::int32_t stepping_ = 0;
  std::int32_t extended_family_ = 0;
  std::int32_t extended_model_ = 0;
  std::string processor_name_;
  std::string vendor_text_;
  std::string serial_number_text_;
};

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_PROCESSOR_PROCESSOR_H_
