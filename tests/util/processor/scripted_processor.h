// A processor that answers the identification instructions from a script,
// so that any vendor, family and model can be identified on any machine.
#ifndef QUENDRAL_TESTS_UTIL_PROCESSOR_SCRIPTED_PROCESSOR_H_
#define QUENDRAL_TESTS_UTIL_PROCESSOR_SCRIPTED_PROCESSOR_H_

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "util/processor/processor_probe.h"

namespace quendral::util {

class ScriptedProcessor : public ProcessorProbe {
 public:
  // Leaf-1 EDX bits.
  static constexpr std::uint32_t kTimeStampCounterBit = 1U << 4;
  static constexpr std::uint32_t kSerialNumberBit = 1U << 18;
  static constexpr std::uint32_t kSseBit = 1U << 25;

  // A processor of `vendor_text` with the given signature, whose highest
  // extended leaf is 0x80000001: no cache or brand-string leaves.
  ScriptedProcessor(const std::string& vendor_text, std::uint32_t family, std::uint32_t model) {
    SetVendor(vendor_text);
    SetSignature(family, model);
    leaves_[0x80000000].eax = 0x80000001;
  }

  void SetVendor(const std::string& text) {
    char padded[12] = {};
    std::memcpy(padded, text.data(), text.size() < 12 ? text.size() : 12);
    os::CpuidRegisters& leaf = leaves_[0];
    leaf.eax = 3;
    std::memcpy(&leaf.ebx, padded, 4);
    std::memcpy(&leaf.edx, padded + 4, 4);
    std::memcpy(&leaf.ecx, padded + 8, 4);
  }

  void SetSignature(std::uint32_t family, std::uint32_t model, std::uint32_t extended_family = 0) {
    leaves_[1].eax = (extended_family << 20) | (family << 8) | (model << 4);
  }

  os::CpuidRegisters& Leaf(std::uint32_t leaf) { return leaves_[leaf]; }

  // Answers of leaf 2, one per execution; the last one repeats.
  void SetDescriptorPasses(std::vector<os::CpuidRegisters> passes) {
    descriptor_passes_ = std::move(passes);
  }
  int descriptor_executions() const { return descriptor_executions_; }

  // The brand string as leaves 0x80000002-4 give it, 48 characters.
  void SetBrandString(const std::string& brand) {
    char text[48] = {};
    std::memcpy(text, brand.data(), brand.size() < 48 ? brand.size() : 48);
    for (std::uint32_t part = 0; part < 3; ++part) {
      std::memcpy(&leaves_[0x80000002 + part], text + 16 * part, 16);
    }
    leaves_[0x80000000].eax = std::max<std::uint32_t>(leaves_[0x80000000].eax, 0x80000004);
  }

  void FaultOnLeaf(std::uint32_t leaf) { faulting_leaves_.insert(leaf); }
  void FaultOnEveryLeaf() { fault_everything_ = true; }
  void FaultOnSse() { sse_faults_ = true; }
  void FaultOnTimeStampCounter() { counter_faults_ = true; }
  // Successive readings of the time-stamp counter.
  void SetCounterReadings(std::deque<std::uint64_t> readings) { readings_ = std::move(readings); }
  void SetTimingLoopSeconds(double seconds) { loop_seconds_ = seconds; }

  bool Cpuid(std::uint32_t leaf, std::uint32_t, os::CpuidRegisters* registers) const override {
    if (fault_everything_ || faulting_leaves_.count(leaf) != 0) {
      return false;
    }
    if (leaf == 2 && !descriptor_passes_.empty()) {
      const std::size_t pass = static_cast<std::size_t>(descriptor_executions_++);
      *registers = descriptor_passes_[std::min(pass, descriptor_passes_.size() - 1)];
      return true;
    }
    const auto found = leaves_.find(leaf);
    *registers = found != leaves_.end() ? found->second : os::CpuidRegisters{};
    return true;
  }

  bool ReadTimeStampCounter(std::uint64_t* value) const override {
    if (counter_faults_) {
      return false;
    }
    if (readings_.empty()) {
      *value = 0;
    } else {
      *value = readings_.front();
      readings_.pop_front();
    }
    return true;
  }

  bool ExecuteSseInstruction() const override { return !sse_faults_; }
  void Wait(std::uint32_t) const override {}
  void WaitOverhead(std::uint32_t) const override {}

  bool TimeBitScanLoop(std::uint32_t, double* seconds) const override {
    *seconds = loop_seconds_;
    return loop_seconds_ >= 0;
  }

 private:
  std::map<std::uint32_t, os::CpuidRegisters> leaves_;
  std::set<std::uint32_t> faulting_leaves_;
  std::vector<os::CpuidRegisters> descriptor_passes_;
  mutable int descriptor_executions_ = 0;
  mutable std::deque<std::uint64_t> readings_;
  bool fault_everything_ = false;
  bool sse_faults_ = false;
  bool counter_faults_ = false;
  double loop_seconds_ = -1;
};

}  // namespace quendral::util

#endif  // QUENDRAL_TESTS_UTIL_PROCESSOR_SCRIPTED_PROCESSOR_H_
