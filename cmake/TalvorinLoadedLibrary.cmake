# talvorin_loaded_library_options(target)
# Link options of a graphics library that the program loads by name: it stays loaded once loaded
# (-z nodelete: the card tables it read are kept), and it must name every symbol it uses. A fuzz
# build leaves the sanitizer symbols open: clang links its sanitizer runtimes into executables
# only, so the program that loads the library supplies them.
function(talvorin_loaded_library_options target)
  target_link_options(${target} PRIVATE -Wl,-z,nodelete)
  if(NOT TALVORIN_FUZZ)
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
  set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
endfunction()
