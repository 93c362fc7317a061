# The tests of a build without the screens: every tests/<area>/test_<name>.cpp
# that needs neither Qt nor the widgets, linked to the rule libraries alone.
# The tools' tests run the tools, which are not built then.
file(GLOB_RECURSE test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/test_*.cpp)
foreach(src IN LISTS test_sources)
  get_filename_component(stem ${src} NAME_WE)
  get_filename_component(dir ${src} DIRECTORY)
  get_filename_component(area ${dir} NAME)
  brenvik_test_needs_qt(${src} needs_qt)
  if(needs_qt OR area STREQUAL "tools")
    continue()
  endif()
  set(target ${area}_${stem})
  add_executable(${target} ${src})
  set_target_properties(${target} PROPERTIES AUTOMOC OFF)
  target_link_libraries(${target} PRIVATE brenvik_logic pellard_logic brenvik_core
    GTest::gtest_main)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST TEST_PREFIX "${area}.")
endforeach()
