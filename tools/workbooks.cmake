# Writes the workbooks delivered in the program folder from code, so no binary
# workbook is ever committed.
add_executable(vantrel-makeworkbooks ${CMAKE_CURRENT_LIST_DIR}/make_workbooks.cpp)
target_link_libraries(vantrel-makeworkbooks PRIVATE vantrel_office)

set(VANTREL_DELIVERED_WORKBOOKS
  ${VANTREL_PROGRAM_DIR}/BCTelephone.xlsx
  ${VANTREL_PROGRAM_DIR}/Prices.xlsx
  ${VANTREL_PROGRAM_DIR}/Competition.xlsx)
add_custom_command(
  OUTPUT ${VANTREL_DELIVERED_WORKBOOKS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VANTREL_PROGRAM_DIR}
  COMMAND vantrel-makeworkbooks ${VANTREL_PROGRAM_DIR}
  DEPENDS vantrel-makeworkbooks
  COMMENT "Writing the delivered workbooks")
add_custom_target(delivered_workbooks ALL DEPENDS ${VANTREL_DELIVERED_WORKBOOKS})
