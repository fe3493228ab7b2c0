# Installs the build into a fresh prefix and checks where the headset's configuration lands:
# under share/talvorin, not beside the executable in bin.
set(prefix "${BUILD_DIR}/install-check")
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(xml "dts_apo4_hpxv2_oem_config_2DBF0001.xml")
if(NOT EXISTS "${prefix}/share/talvorin/${xml}")
  message(FATAL_ERROR "${xml} is not under share/talvorin")
endif()
if(EXISTS "${prefix}/bin/${xml}")
  message(FATAL_ERROR "${xml} is still installed beside the executable")
endif()
file(REMOVE_RECURSE "${prefix}")
