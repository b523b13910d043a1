# Fails when a shipped binary holds a text of the fault hooks of the tests:
# the variable that arms the failing disk, the name of its SQLite VFS, or a
# name of the failing disk or of the fault points (symbols and debugging
# information name them too).
#
#   cmake -DFILES=binary,... [-DEXPECT_HOOKS=ON] -P CheckNoFaultHooks.cmake
#
# With EXPECT_HOOKS the verdict is turned round: every file must hold them.
# The test programs, which do, show so that the check finds what it looks for.
set(hook_texts "QUENDRAL_FAULT|quendral-faults|ArmFault|DisarmFaults|FaultDue|FaultPoint|FaultPlan|FaultKind|FaultCounts|CountIoCalls|CountedIoCalls|failing_disk|fault_points|fault_injection")

string(REPLACE "," ";" files "${FILES}")
if(NOT files)
  message(FATAL_ERROR "usage: cmake -DFILES=binary,... [-DEXPECT_HOOKS=ON] -P CheckNoFaultHooks.cmake")
endif()
set(failed FALSE)
foreach(file IN LISTS files)
  if(NOT EXISTS "${file}")
    message(SEND_ERROR "${file} does not exist")
    set(failed TRUE)
    continue()
  endif()
  file(STRINGS "${file}" found REGEX "${hook_texts}")
  list(REMOVE_DUPLICATES found)
  if(EXPECT_HOOKS AND NOT found)
    message(SEND_ERROR "${file} holds no fault hook, yet it links them")
    set(failed TRUE)
  elseif(NOT EXPECT_HOOKS AND found)
    list(JOIN found "\n  " listed)
    message(SEND_ERROR "${file} holds fault hooks of the tests:\n  ${listed}")
    set(failed TRUE)
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "the fault hooks of the tests belong in test programs only")
endif()
