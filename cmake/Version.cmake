# The version every build carries: the project's own version followed by the UTC time of the
# commit it is built from ("0.1+git20261207.104631"). Commits come later in time, so a later
# build orders after an earlier one for dpkg and the package manager upgrades to it; a source
# tree without git history is the bare project version.
#
# Included by the top-level CMakeLists.txt (which re-runs it whenever HEAD moves), and runnable on
# its own to print the version of any checkout:
#   cmake -DBADGELOOM_SOURCE=<checkout> -DBADGELOOM_BASE_VERSION=0.1 -P cmake/Version.cmake
function(badgeloom_version source base out)
  set(version ${base})
  find_program(GIT_PROGRAM git)
  if(GIT_PROGRAM AND EXISTS ${source}/.git)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC
                            ${GIT_PROGRAM} -C ${source} log -1 --date=format-local:%Y%m%d.%H%M%S --format=%cd
                    OUTPUT_VARIABLE stamp OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE failed ERROR_QUIET)
    if(NOT failed AND stamp MATCHES "^[0-9]+\\.[0-9]+$")
      set(version "${base}+git${stamp}")
    endif()
  endif()
  set(${out} ${version} PARENT_SCOPE)
endfunction()

# The files whose change means HEAD moved (a commit, a checkout, a merge): CMake re-runs the
# configuration when one of them changes, so the version never lags behind the tree.
function(badgeloom_version_inputs source out)
  set(inputs)
  find_program(GIT_PROGRAM git)
  if(GIT_PROGRAM AND EXISTS ${source}/.git)
    execute_process(COMMAND ${GIT_PROGRAM} -C ${source} rev-parse --absolute-git-dir
                    OUTPUT_VARIABLE gitdir OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
    if(NOT failed)
      foreach(f HEAD logs/HEAD)
        if(EXISTS ${gitdir}/${f})
          list(APPEND inputs ${gitdir}/${f})
        endif()
      endforeach()
    endif()
  endif()
  set(${out} ${inputs} PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND BADGELOOM_SOURCE)
  if(NOT BADGELOOM_BASE_VERSION)
    message(FATAL_ERROR "BADGELOOM_BASE_VERSION is not set")
  endif()
  badgeloom_version(${BADGELOOM_SOURCE} ${BADGELOOM_BASE_VERSION} v)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo ${v})
endif()
