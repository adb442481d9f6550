# The product's one version (project() in CMakeLists.txt), its name, and the commit it was built
# from.
# A source tree without git (a release tarball) takes the commit from LUMOR_COMMIT, or says
# "nieznany". The commit is read at configure time, so a build from a clean tree carries it
# exactly; the generated source is the only file that holds it, so a new commit rebuilds one
# object.
if(DEFINED ENV{LUMOR_COMMIT})
  set(LUMOR_COMMIT "$ENV{LUMOR_COMMIT}")
else()
  execute_process(COMMAND git -C "${PROJECT_SOURCE_DIR}" rev-parse --short=12 HEAD
    OUTPUT_VARIABLE LUMOR_COMMIT OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE lumor_git_result ERROR_QUIET)
  if(NOT lumor_git_result EQUAL 0 OR LUMOR_COMMIT STREQUAL "")
    set(LUMOR_COMMIT "nieznany")
  endif()
endif()
set(LUMOR_VERSION "${PROJECT_VERSION}")
# The product's name, as the version resources and the logs' first lines give it.
set(LUMOR_PRODUCT "Instalator pakietów CAD")
configure_file("${PROJECT_SOURCE_DIR}/session/version.cpp.in"
  "${PROJECT_BINARY_DIR}/generated/session/version.cpp" @ONLY)
