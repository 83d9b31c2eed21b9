# The windows of the program: a library the program and the GUI tests share.
find_package(wxWidgets REQUIRED COMPONENTS core base aui ribbon)
include(${wxWidgets_USE_FILE})

# Every source of ui/ and view/ is a window, and so is every source of
# online/ and editors/ (with its sub-folders) but their models (*Model.cpp,
# in the core); in app/ the windows are listed, its other files belong to
# the core.
file(GLOB QV_GUI_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/ui/*.cpp
    ${CMAKE_SOURCE_DIR}/view/*.cpp
    ${CMAKE_SOURCE_DIR}/online/*.cpp)
file(GLOB_RECURSE QV_EDITOR_WINDOW_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/editors/*.cpp)
list(APPEND QV_GUI_SOURCES ${QV_EDITOR_WINDOW_SOURCES})
list(FILTER QV_GUI_SOURCES EXCLUDE REGEX "Model\\.cpp$")
add_library(qv_gui STATIC ${QV_GUI_SOURCES}
    ${CMAKE_SOURCE_DIR}/app/AboutDlg.cpp
    ${CMAKE_SOURCE_DIR}/app/AppStartHost.cpp
    ${CMAKE_SOURCE_DIR}/app/CaptionBar.cpp
    ${CMAKE_SOURCE_DIR}/app/KeyTipBadges.cpp
    ${CMAKE_SOURCE_DIR}/app/MainCommands.cpp
    ${CMAKE_SOURCE_DIR}/app/MainKeys.cpp
    ${CMAKE_SOURCE_DIR}/app/MainRibbon.cpp
    ${CMAKE_SOURCE_DIR}/app/SettingsTree.cpp
    ${CMAKE_SOURCE_DIR}/app/MainFrame.cpp
    ${CMAKE_SOURCE_DIR}/app/QuorvelApp.cpp
    ${CMAKE_SOURCE_DIR}/app/RibbonBar.cpp
    ${CMAKE_SOURCE_DIR}/app/SplashWindow.cpp
    ${CMAKE_SOURCE_DIR}/app/StartUpDlg.cpp
    ${CMAKE_SOURCE_DIR}/app/UnitToolCommands.cpp)
target_link_libraries(qv_gui PUBLIC qv_core ${wxWidgets_LIBRARIES})
target_precompile_headers(qv_gui PRIVATE <wx/wx.h>)

add_executable(quorvelis ${CMAKE_SOURCE_DIR}/app/main.cpp)
target_link_libraries(quorvelis PRIVATE qv_gui)
add_dependencies(quorvelis qv_language_modules qv_splash_picture)
