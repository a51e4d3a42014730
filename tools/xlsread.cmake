# The helper that reads legacy .xls workbooks in a process of its own, delivered
# beside the program. The data layer depends on it so that every build of the data
# layer (the program, the tests) finds it in place.
add_executable(vantrel-xlsread ${CMAKE_CURRENT_LIST_DIR}/xlsread/main.cpp
  ${CMAKE_SOURCE_DIR}/src/data/SheetBuilder.cpp ${CMAKE_SOURCE_DIR}/src/data/XlsReplyFormat.cpp)
target_include_directories(vantrel-xlsread PRIVATE ${CMAKE_BINARY_DIR}/include/data)
target_link_libraries(vantrel-xlsread PRIVATE Qt6::Core Qt6::Gui PkgConfig::FREEXL)
target_compile_definitions(vantrel-xlsread PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
set_target_properties(vantrel-xlsread PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${VANTREL_PROGRAM_DIR}
  AUTOMOC OFF)
add_dependencies(vantrel_data vantrel-xlsread)
