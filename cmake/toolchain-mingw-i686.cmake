# Cross build for 32-bit Windows, the shipping QUENDRAL.dll.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QUENDRAL_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/QuendralMinGW.cmake)
