# Build variants for CI: warnings as errors, the sanitizers, fuzzing.
option(BRENVIK_WERROR "Treat warnings in our own code as errors" OFF)
option(BRENVIK_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(BRENVIK_FUZZ AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "BRENVIK_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()
if(BRENVIK_SANITIZE OR BRENVIK_FUZZ)
  # Undefined behaviour stops the test like a memory fault does.
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# lld links the many test programs several times faster than the default
# linker; without it the default one does.
include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=lld BRENVIK_HAVE_LLD)
if(BRENVIK_HAVE_LLD)
  add_link_options(-fuse-ld=lld)
endif()

# Called at the end of the top-level CMakeLists.txt: -Werror on every target
# of ours, but not on the code moc generates.
function(brenvik_finish_checks)
  if(NOT BRENVIK_WERROR)
    return()
  endif()
  brenvik_targets_below(${CMAKE_SOURCE_DIR} targets)
  foreach(t IN LISTS targets)
    get_target_property(type ${t} TYPE)
    if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY)$")
      continue()
    endif()
    target_compile_options(${t} PRIVATE -Werror)
    get_target_property(automoc ${t} AUTOMOC)
    if(automoc)
      get_target_property(bin ${t} BINARY_DIR)
      set_source_files_properties(${bin}/${t}_autogen/mocs_compilation.cpp
        TARGET_DIRECTORY ${t} PROPERTIES COMPILE_OPTIONS -Wno-error)
    endif()
  endforeach()
endfunction()
