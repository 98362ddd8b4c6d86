# Builds data/ from the corpus into ROOT once; later runs, from any build folder, reuse it while the
# builder's sources are unchanged (the manifest's checksum, in src/datafiles, among them). The
# real-data tests, the data target and the package share it.
file(GLOB_RECURSE sources "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/../../src/greek/*.cpp"
     "${SOURCE_DIR}/../../src/greek/*.h" "${SOURCE_DIR}/../../src/lexicon/*.cpp"
     "${SOURCE_DIR}/../../src/lexicon/*.h" "${SOURCE_DIR}/../../src/datafiles/*.cpp"
     "${SOURCE_DIR}/../../src/datafiles/*.h" "${SOURCE_DIR}/../../src/library/*.cpp"
     "${SOURCE_DIR}/../../src/library/*.h" "${SOURCE_DIR}/../../src/occurrences/*.cpp"
     "${SOURCE_DIR}/../../src/occurrences/*.h")
list(SORT sources)
set(all "")
foreach(f IN LISTS sources)
    file(SHA256 "${f}" h)
    string(APPEND all "${h}")
endforeach()
string(SHA256 fingerprint "${all}")
set(stamp "${ROOT}/data/.builder-stamp")
if(EXISTS "${stamp}")
    file(READ "${stamp}" old)
    if(old STREQUAL fingerprint)
        message(STATUS "real data up to date in ${ROOT}/data")
        return()
    endif()
endif()
file(MAKE_DIRECTORY "${ROOT}")
execute_process(COMMAND "${BUILDER}" --corpus "${CORPUS}" --out "${ROOT}/data" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "veso-build-data failed (${rc})")
endif()
file(WRITE "${stamp}" "${fingerprint}")
