# Writes the word-processor template delivered in the program folder from code.
add_executable(vantrel-makeletterhead ${CMAKE_CURRENT_LIST_DIR}/make_letterhead.cpp)
target_link_libraries(vantrel-makeletterhead PRIVATE vantrel_office)

add_custom_command(
  OUTPUT ${VANTREL_PROGRAM_DIR}/Letterhead.dot
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VANTREL_PROGRAM_DIR}
  COMMAND vantrel-makeletterhead ${VANTREL_PROGRAM_DIR}
  DEPENDS vantrel-makeletterhead
  COMMENT "Writing the letterhead template")
add_custom_target(delivered_letterhead ALL DEPENDS ${VANTREL_PROGRAM_DIR}/Letterhead.dot)
