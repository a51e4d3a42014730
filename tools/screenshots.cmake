# The screenshots of the slide show: the real program on a copy of the delivered
# databases with sample data, each main screen opened and grabbed offscreen.
file(GLOB VANTREL_SCREEN_TOOL_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_LIST_DIR}/screens/*.cpp ${CMAKE_CURRENT_LIST_DIR}/screens/*.h)
add_library(vantrel_screentools STATIC ${VANTREL_SCREEN_TOOL_SOURCES})
target_include_directories(vantrel_screentools PUBLIC ${CMAKE_CURRENT_LIST_DIR}/screens)
target_link_libraries(vantrel_screentools PUBLIC vantrel_app)
target_compile_definitions(vantrel_screentools PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)

add_executable(vantrel-makescreens ${CMAKE_CURRENT_LIST_DIR}/make_screenshots.cpp)
target_link_libraries(vantrel-makescreens PRIVATE vantrel_screentools)
target_compile_definitions(vantrel-makescreens PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII
  VANTREL_VERSION="${PROJECT_VERSION}")

# The list is written after the pictures, so it stands for all of them. The
# environment is the tests': no desktop password store, one way of writing dates.
add_custom_command(
  OUTPUT ${VANTREL_SCREENSHOT_DIR}/screenshots.txt
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
          DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/vantrel-screenshots
          $<TARGET_FILE:vantrel-makescreens> ${VANTREL_PROGRAM_DIR} ${VANTREL_SCREENSHOT_DIR}
  DEPENDS vantrel-makescreens ${VANTREL_PROGRAM_DIR}/Temp.mdb ${VANTREL_PROGRAM_DIR}/User.mdb
  COMMENT "Taking the screenshots of the slide show")
add_custom_target(screenshots ALL DEPENDS ${VANTREL_SCREENSHOT_DIR}/screenshots.txt)
