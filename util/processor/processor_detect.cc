// The detection sequence, and the steps that read the signature and the
// feature flags.
#include <cstdio>
#include <cstring>

#include "util/processor/processor.h"
#include "util/processor/processor_tables.h"

namespace quendral::util {
namespace {

constexpr std::uint32_t kExtendedFeaturesLeaf = 0x80000001;
constexpr std::uint32_t kPowerManagementLeaf = 0x80000007;

bool Bit(std::uint32_t value, int bit) { return ((value >> bit) & 1U) != 0; }

std::int32_t Bits(std::uint32_t value, int low, int count) {
  return static_cast<std::int32_t>((value >> low) & ((1U << count) - 1U));
}

}  // namespace

ProcessorInfo::ProcessorInfo() : ProcessorInfo(MachineProcessor()) {}

ProcessorInfo::ProcessorInfo(const ProcessorProbe& probe) : probe_(&probe) { Detect(); }

// A failing step leaves its fields as they were; the steps whose failure
// matters select a fallback.
void ProcessorInfo::Detect() {
  if (!IsCpuidSupported()) {
    return;
  }
  DetectVendorAndSignature();
  DetectStandardFeatures();
  if (!MeasureSpeed()) {
    EstimateSpeedWithTimingLoop();
  }
  if (!DetectCachesFromExtendedLeaves()) {
    DetectCachesFromDescriptors();
  }
  DetectExtendedFeatures();
  // Run so that the power-management flags report what the processor has.
  DetectPowerManagement();
  if (!ReadBrandString()) {
    DecodeModelName();
  }
  ReadSerialNumber();
}

bool ProcessorInfo::Cpuid(std::uint32_t leaf, os::CpuidRegisters* registers) const {
  return probe_->Cpuid(leaf, 0, registers);
}

bool ProcessorInfo::IsCpuidSupported() const {
  os::CpuidRegisters registers;
  return Cpuid(0, &registers);
}

bool ProcessorInfo::DetectVendorAndSignature() {
  os::CpuidRegisters vendor;
  if (!Cpuid(0, &vendor)) {
    return false;
  }
  char text[12];
  std::memcpy(text, &vendor.ebx, 4);
  std::memcpy(text + 4, &vendor.edx, 4);
  std::memcpy(text + 8, &vendor.ecx, 4);
  // Cut at a zero byte, as the text is read as a zero-terminated one.
  vendor_text_.assign(text, strnlen(text, sizeof text));
  os::CpuidRegisters signature;
  if (!Cpuid(1, &signature)) {
    return false;
  }
  vendor_ = VendorOfText(std::string_view(text, sizeof text));
  const std::uint32_t eax = signature.eax;
  extended_family_ = Bits(eax, 20, 8);
  extended_model_ = Bits(eax, 16, 4);
  type_ = Bits(eax, 12, 4);
  family_ = Bits(eax, 8, 4);
  model_ = Bits(eax, 4, 4);
  stepping_ = Bits(eax, 0, 4);
  return true;
}

bool ProcessorInfo::DetectStandardFeatures() {
  os::CpuidRegisters features;
  if (!Cpuid(1, &features)) {
    return false;
  }
  const std::uint32_t edx = features.edx;
  has_fpu_ = Bit(edx, 0);
  has_time_stamp_counter_ = Bit(edx, 4);
  has_apic_ = Bit(edx, 9);
  has_mtrr_ = Bit(edx, 12);
  has_cmov_ = Bit(edx, 15);
  has_serial_number_ = Bit(edx, 18);
  has_acpi_thermal_control_ = Bit(edx, 22);
  has_mmx_ = Bit(edx, 23);
  has_sse_ = Bit(edx, 25);
  has_sse2_ = Bit(edx, 26);
  has_thermal_monitor_ = Bit(edx, 29);
  ia64_ = Bit(edx, 30);
  // A processor may have SSE that the system has not enabled.
  sse_usable_ = has_sse_ && probe_->ExecuteSseInstruction();
  if (vendor_ == ProcessorVendor::Intel) {
    hyper_threading_ = Bit(edx, 28);
    logical_processor_count_ = hyper_threading_ ? Bits(features.ebx, 16, 8) : 1;
    if (hyper_threading_ && has_apic_) {
      apic_id_ = Bits(features.ebx, 24, 8);
    }
  }
  return true;
}

bool ProcessorInfo::IsExtendedLeafAvailable(std::uint32_t leaf) const {
  const std::int32_t family = family_;
  const std::int32_t model = model_;
  switch (vendor_) {
    case ProcessorVendor::Amd:
      if (family < 5 || (family == 5 && model < 6)) {
        return false;
      }
      break;
    case ProcessorVendor::Cyrix:
      if (family < 5 || (family == 5 && model < 4) || (family == 6 && model < 5)) {
        return false;
      }
      break;
    case ProcessorVendor::Centaur:
      if (family < 5 || (family == 5 && model < 8)) {
        return false;
      }
      break;
    case ProcessorVendor::Transmeta:
      if (family < 5) {
        return false;
      }
      break;
    case ProcessorVendor::Intel:
      if (family < 15) {
        return false;
      }
      break;
    default:
      break;
  }
  os::CpuidRegisters highest;
  if (!Cpuid(0x80000000, &highest)) {
    return false;
  }
  return (leaf & 0x7FFFFFFFU) <= (highest.eax & 0x7FFFFFFFU);
}

bool ProcessorInfo::DetectExtendedFeatures() {
  if (vendor_ == ProcessorVendor::Intel || !IsExtendedLeafAvailable(kExtendedFeaturesLeaf)) {
    return false;
  }
  os::CpuidRegisters features;
  if (!Cpuid(kExtendedFeaturesLeaf, &features)) {
    return false;
  }
  const std::uint32_t edx = features.edx;
  has_3dnow_ = Bit(edx, 31);
  has_3dnow_extensions_ = Bit(edx, 30);
  has_amd_mmx_extensions_ = Bit(edx, 22);
  multiprocessor_capable_ = Bit(edx, 19);
  if (vendor_ == ProcessorVendor::Amd) {
    has_extended_mmx_ = Bit(edx, 22);
  } else if (vendor_ == ProcessorVendor::Cyrix) {
    has_extended_mmx_ = Bit(edx, 24);
  }
  return true;
}

bool ProcessorInfo::DetectPowerManagement() {
  os::CpuidRegisters power;
  if (!IsExtendedLeafAvailable(kPowerManagementLeaf) || !Cpuid(kPowerManagementLeaf, &power)) {
    temperature_sensor_ = false;
    frequency_id_control_ = false;
    voltage_id_control_ = false;
    return false;
  }
  temperature_sensor_ = Bit(power.edx, 0);
  frequency_id_control_ = Bit(power.edx, 1);
  voltage_id_control_ = Bit(power.edx, 2);
  return true;
}

bool ProcessorInfo::ReadSerialNumber() {
  os::CpuidRegisters serial;
  if (!has_serial_number_ || !Cpuid(3, &serial)) {
    return false;
  }
  char text[40];
  const auto byte = [](std::uint32_t value, int index) {
    return (value >> (24 - 8 * index)) & 0xFFU;
  };
  std::snprintf(text, sizeof text, "%.2x%.2x-%.2x%.2x-%.2x%.2x-%.2x%.2x-%.2x%.2x-%.2x%.2x",
                byte(serial.ebx, 0), byte(serial.ebx, 1), byte(serial.ebx, 2), byte(serial.ebx, 3),
                byte(serial.ecx, 0), byte(serial.ecx, 1), byte(serial.ecx, 2), byte(serial.ecx, 3),
                byte(serial.edx, 0), byte(serial.edx, 1), byte(serial.edx, 2), byte(serial.edx, 3));
  serial_number_text_ = text;
  return true;
}

}  // namespace quendral::util
