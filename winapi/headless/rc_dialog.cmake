# Reader of the resource script's dialog templates and DLGINIT blocks, used
# by the headless window system and the resource table. Included by the
# winapi and res folders; whichever comes first defines the target.
if(NOT TARGET rc_dialog)
  add_library(rc_dialog STATIC ${CMAKE_CURRENT_LIST_DIR}/rc_dialog.cpp)
  target_include_directories(rc_dialog PUBLIC ${CMAKE_SOURCE_DIR})
endif()
