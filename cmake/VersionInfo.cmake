# lumor_version_info(OUT NAME DESCRIPTION): writes OUT, a resource script with the version
# resource of the program NAME (NAME.exe), its Polish description and the project's version.
function(lumor_version_info out name description)
  set(LUMOR_VI_NAME "${name}")
  set(LUMOR_VI_DESCRIPTION "${description}")
  set(LUMOR_VI_PRODUCT "${LUMOR_PRODUCT}")
  set(LUMOR_VI_COMPANY "Lumor")
  set(LUMOR_VI_NUMBERS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
  string(REPEAT " " 200 LUMOR_VI_RESERVE)
  configure_file("${PROJECT_SOURCE_DIR}/cmake/version_info.rc.in" "${out}" @ONLY)
endfunction()
