# Windows GoogleTest programs whose cases share Wine processes: one process
# per test suite (or per program), yet one ctest test per case, named as the
# case (tests/win/gtest-batch says how). A case that needs a process of its
# own is named under FRESH_PROCESS and gets one, as does every case with
# GROUP case.
#
# staywick_gtest_batches(<target> [GROUP suite|program|case] [LABELS <label>]
#                        [FRESH_PROCESS <Suite.Case>...])
#
# The cases are listed when ctest starts (the program runs under Wine then),
# and again only after the program, the list of fresh-process cases or the
# script has changed.
function(staywick_gtest_batches target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "GROUP;LABELS" "FRESH_PROCESS")
  if(NOT arg_GROUP)
    set(arg_GROUP suite)
  endif()
  set(batch ${CMAKE_SOURCE_DIR}/tests/win/gtest-batch)
  set(cases_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_cases.cmake)
  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_include.cmake)
  get_target_property(emulator ${target} CROSSCOMPILING_EMULATOR)
  set(list_command ${batch} list --out ${cases_file} --program ${target}
                   --results ${CMAKE_CURRENT_BINARY_DIR}/${target}_results --group ${arg_GROUP}
                   --lane ${STAYWICK_WINE_LANE} --labels "${arg_LABELS}")
  foreach(case IN LISTS arg_FRESH_PROCESS)
    list(APPEND list_command --fresh ${case})
  endforeach()
  list(APPEND list_command -- ${emulator} $<TARGET_FILE:${target}>)
  list(JOIN list_command "]==] [==[" quoted)
  file(GENERATE OUTPUT ${include_file} CONTENT "\
set(exe [==[$<TARGET_FILE:${target}>]==])
set(cases [==[${cases_file}]==])
if(NOT EXISTS \"\${exe}\")
  add_test([==[${target}_NOT_BUILT]==] [==[${target}_NOT_BUILT]==])
  return()
endif()
if(NOT EXISTS \"\${cases}\" OR \"\${exe}\" IS_NEWER_THAN \"\${cases}\"
   OR \"\${CMAKE_CURRENT_LIST_FILE}\" IS_NEWER_THAN \"\${cases}\"
   OR [==[${batch}]==] IS_NEWER_THAN \"\${cases}\")
  execute_process(COMMAND [==[${quoted}]==] RESULT_VARIABLE listed)
  if(NOT listed EQUAL 0)
    # The file then holds one failing test that says why; list again next time.
    include(\"\${cases}\")
    file(REMOVE \"\${cases}\")
    return()
  endif()
endif()
include(\"\${cases}\")
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()
