# Helpers that keep the per-folder CMake files short: a library or test binary is
# every .cpp file of its folder.

# velquin_core_library(<target> [DEPS <libs>...]): a Qt-free static library of the
# current folder's sources (no Qt on its include or link path).
function(velquin_core_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/generated)
  target_link_libraries(${target} PUBLIC Threads::Threads ${ARG_DEPS})
  set_target_properties(${target} PROPERTIES AUTOMOC OFF)
endfunction()

# Automatic moc does not notice a header added to a globbed target in an existing build
# folder. When the target's file list changes, its moc time stamp is removed so moc runs again.
function(velquin_moc_on_new_files target sources)
  set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.txt)
  set(old "")
  if(EXISTS ${list_file})
    file(READ ${list_file} old)
  endif()
  if(NOT old STREQUAL "${sources}")
    file(WRITE ${list_file} "${sources}")
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp)
  endif()
endfunction()

# velquin_qt_library(<target> [DEPS <libs>...]): a Qt Widgets static library.
function(velquin_qt_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/generated)
  target_link_libraries(${target} PUBLIC Qt6::Widgets Qt6::Gui Qt6::Core ${ARG_DEPS})
  velquin_moc_on_new_files(${target} "${sources}")
endfunction()

# velquin_test_dir(<target> LABEL <label> [GUI | SCALED_GUI] [DEPS <libs>...] [VARIANTS <names>...]
#                  [STYLES <styles>... STYLE_TESTS <filter>]): one GoogleTest binary of the
# current folder's .cpp files, registered with CTest. GUI tests get a QApplication on the
# offscreen platform, a temporary HOME and config folder, and a fixed time zone; SCALED_GUI
# tests also get offscreen screens at 125 % to 200 %. With VARIANTS the binary is registered
# once per name, its tests named "<name>/<test>", and each run finds its name in
# VELQUIN_TEST_VARIANT (for setups that take a whole process). With STYLES (GUI only) the
# tests matching the GoogleTest filter STYLE_TESTS are registered once more per Qt style,
# named "<style>/<test>", each run in an application of that style.
function(velquin_test_dir target)
  cmake_parse_arguments(ARG "GUI;SCALED_GUI" "LABEL;STYLE_TESTS" "DEPS;VARIANTS;STYLES" ${ARGN})
  set(gui_main velquin_test_gui_main)
  if(ARG_SCALED_GUI)
    set(ARG_GUI TRUE)
    set(gui_main velquin_test_gui_main_scaled)
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  if(NOT VELQUIN_CORE_ONLY)
    velquin_moc_on_new_files(${target} "${sources}")
  endif()
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/generated)
  target_compile_definitions(${target} PRIVATE
    VELQUIN_SCREENSHOT_DIR="${VELQUIN_SCREENSHOT_DIR}"
    VELQUIN_BINARY_DIR="${CMAKE_BINARY_DIR}"
    VELQUIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  if(ARG_GUI)
    target_link_libraries(${target} PRIVATE ${gui_main} Qt6::Test ${ARG_DEPS} GTest::gmock)
    # One variable per property: a list here would be split into property names.
    set(gui_env ENVIRONMENT_MODIFICATION "QT_QPA_PLATFORM=set:offscreen")
  else()
    target_link_libraries(${target} PRIVATE GTest::gtest_main GTest::gmock ${ARG_DEPS})
    set(gui_env "")
  endif()
  if(NOT ARG_VARIANTS)
    gtest_discover_tests(${target}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES LABELS "${ARG_LABEL}" ENVIRONMENT "TZ=Asia/Tokyo" ${gui_env} TIMEOUT 300)
  elseif(ARG_GUI)
    message(FATAL_ERROR "${target}: VARIANTS would take the environment modification GUI needs")
  endif()
  foreach(style IN LISTS ARG_STYLES)
    gtest_discover_tests(${target}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      TEST_PREFIX "${style}/"
      TEST_FILTER "${ARG_STYLE_TESTS}"
      EXTRA_ARGS -style ${style}
      PROPERTIES LABELS "${ARG_LABEL}" ENVIRONMENT "TZ=Asia/Tokyo" ${gui_env} TIMEOUT 300)
  endforeach()
  foreach(variant IN LISTS ARG_VARIANTS)
    gtest_discover_tests(${target}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      TEST_PREFIX "${variant}/"
      PROPERTIES LABELS "${ARG_LABEL}" ENVIRONMENT "TZ=Asia/Tokyo"
                 ENVIRONMENT_MODIFICATION "VELQUIN_TEST_VARIANT=set:${variant}" TIMEOUT 300)
  endforeach()
endfunction()
