# badgeloom_library(<folder> DEPS <targets...>)
# One static library per source folder, named bl_<folder>, built from every source file in it.
# Each library publishes an include folder of its own that holds only itself ("<folder>/X.h"),
# so a library sees the headers of the libraries it links and nothing above them.
function(badgeloom_library folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  add_library(bl_${folder} STATIC ${sources})
  set(include_root ${CMAKE_BINARY_DIR}/include/${folder})
  file(MAKE_DIRECTORY ${include_root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${include_root}/${folder} SYMBOLIC)
  target_include_directories(bl_${folder} PUBLIC ${include_root})
  target_link_libraries(bl_${folder} PUBLIC ${ARG_DEPS})
endfunction()

# badgeloom_tests(<folder> DEPS <targets...>)
# One test executable per folder of tests/, run by ctest under the offscreen platform.
function(badgeloom_tests folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(test_${folder} ${sources})
  target_link_libraries(test_${folder} PRIVATE bl_testmain ${ARG_DEPS})
  add_dependencies(test_${folder} resources)
  add_test(NAME ${folder} COMMAND test_${folder})
  set_tests_properties(${folder} PROPERTIES LABELS ${folder}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;BADGELOOM_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()
