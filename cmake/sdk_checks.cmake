# Checks of the host interface against the fact manifest of the host's public SDK
# headers (../shared/sdk-facts): our sdk/ declares nothing the public 9.6 set lacks,
# with the same values and layouts; and the module compiles against stand-ins of the
# public 9.6 and 2020 headers made from the manifest alone, exporting its descriptor.
find_package(Python3 COMPONENTS Interpreter)
set(VELMORA_SDK_FACTS_DIR "${CMAKE_SOURCE_DIR}/../shared/sdk-facts" CACHE PATH
    "Fact manifest of the host's public SDK headers")

# They check headers and sources, not running code: the sanitizer build leaves them out.
if(VELMORA_SANITIZE)
  return()
endif()
if(NOT Python3_Interpreter_FOUND OR NOT EXISTS "${VELMORA_SDK_FACTS_DIR}/9.6/headers.json")
  message(STATUS "SDK fact checks off: no Python 3 or no manifest in ${VELMORA_SDK_FACTS_DIR}")
  return()
endif()

set(_checks_dir "${CMAKE_BINARY_DIR}/sdk-checks")
set(_scripts "${CMAKE_SOURCE_DIR}/scripts")

add_test(NAME sdk.facts.sdk_matches_public_96
  COMMAND ${Python3_EXECUTABLE} ${_scripts}/sdk_facts_check.py
          --sdk ${CMAKE_SOURCE_DIR}/sdk --facts ${VELMORA_SDK_FACTS_DIR}/9.6
          --newer ${VELMORA_SDK_FACTS_DIR}/2020
          --work ${_checks_dir}/facts-96)

# Each public version, with the platform macros of the host's own builds.
foreach(version 9.6 2020)
  string(REPLACE "." "" tag ${version})
  add_test(NAME sdk.public.module_builds_against_${tag}_linux
    COMMAND ${Python3_EXECUTABLE} ${_scripts}/module_vs_public_sdk.py
            --facts ${VELMORA_SDK_FACTS_DIR}/${version} --src ${CMAKE_SOURCE_DIR}/src
            --work ${_checks_dir}/public-${tag}-linux --cxx ${CMAKE_CXX_COMPILER}
            --define _LINUX --define _XGL)
  add_test(NAME sdk.public.module_builds_against_${tag}_windows
    COMMAND ${Python3_EXECUTABLE} ${_scripts}/module_vs_public_sdk.py
            --facts ${VELMORA_SDK_FACTS_DIR}/${version} --src ${CMAKE_SOURCE_DIR}/src
            --work ${_checks_dir}/public-${tag}-windows --cxx x86_64-w64-mingw32-g++
            --define _MSWIN --abi llp64)
  set_tests_properties(sdk.public.module_builds_against_${tag}_linux
                       sdk.public.module_builds_against_${tag}_windows PROPERTIES
    SKIP_REGULAR_EXPRESSION "^SKIPPED" TIMEOUT 600)
endforeach()
set_tests_properties(sdk.facts.sdk_matches_public_96
  PROPERTIES SKIP_REGULAR_EXPRESSION "^SKIPPED" TIMEOUT 120)
