# The examples on the installed package: each built as `name` and `name-render` (in a browser
# build, the page name.html), and a check of each (run by ctest) that compares what its script
# gives with the reviewed transcript. Configure with -DCMAKE_PREFIX_PATH=<the package's folder>.
cmake_minimum_required(VERSION 3.16)
project(tavro_examples CXX)
find_package(Tavro 1.0 REQUIRED)
enable_testing()
file(GLOB sources RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS *.cpp)
foreach(source ${sources})
  get_filename_component(name ${source} NAME_WE)
  tavro_add_program(${name} ${source})
  if(TARGET ${name}-render)
    tavro_add_check(${name}_check PROGRAM ${name} SCRIPT scripts/${name}.scr LOG transcripts/${name}.log)
  endif()
endforeach()
