# The tests of the readers of users' files, built under the sanitizers against the
# data and office layers only, so the sanitizer build stays a few minutes long.
# Fixtures that once broke a reader must pass here, not only in the plain build.
# Leaks are not reported: Qt and fontconfig keep caches to the end of the process.
set(VANTREL_SANITIZED_TESTS TestWorkbookReader TestWorksheetImport TestHostileInput
  TestRtfReader TestRtfWriter TestTextRules TestMemoText)
add_library(vantrel_sanitizedsupport STATIC ${CMAKE_CURRENT_LIST_DIR}/support/TestFolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/RecordingMessageBoxHandler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/RecordingOpener.cpp)
target_include_directories(vantrel_sanitizedsupport PUBLIC ${CMAKE_CURRENT_LIST_DIR}/support)
target_link_libraries(vantrel_sanitizedsupport PUBLIC vantrel_office vantrel_platform Qt6::Test
  PkgConfig::LIBZIP PkgConfig::XLSXWRITER)
target_compile_definitions(vantrel_sanitizedsupport PUBLIC
  VANTREL_TEST_DATA_DIR="${CMAKE_CURRENT_LIST_DIR}/data"
  VANTREL_PROGRAM_DIR="${VANTREL_PROGRAM_DIR}"
  VANTREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  VANTREL_SANITIZED_TEST)
add_custom_target(sanitized_tests)
foreach(test_name ${VANTREL_SANITIZED_TESTS})
  add_executable(${test_name} ${CMAKE_CURRENT_LIST_DIR}/${test_name}.cpp)
  target_link_libraries(${test_name} PRIVATE vantrel_sanitizedsupport)
  add_dependencies(sanitized_tests ${test_name})
  add_test(NAME ${test_name} COMMAND ${test_name})
  set_tests_properties(${test_name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;ASAN_OPTIONS=detect_leaks=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    TIMEOUT 600)
endforeach()
