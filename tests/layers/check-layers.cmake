# Builds each layer probe and checks the outcome: "target=header" must fail because `header`
# cannot be found; "target=-" must build.
foreach(probe IN LISTS PROBES)
    string(REPLACE "=" ";" parts "${probe}")
    list(GET parts 0 target)
    list(GET parts 1 header)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${target}
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(header STREQUAL "-")
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "${target} should build:\n${output}")
        endif()
    elseif(result EQUAL 0)
        message(FATAL_ERROR "${target} built, but it includes ${header} across the layers")
    elseif(NOT output MATCHES "${header}: No such file or directory")
        message(FATAL_ERROR "${target} failed for another reason than the missing ${header}:\n${output}")
    endif()
    message(STATUS "${target}: as expected")
endforeach()
