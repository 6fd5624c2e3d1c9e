# Draws everything again into OUT and fails unless the result is the committed files, byte for
# byte: a generator change whose output was not committed, drawing that differs from run to run
# and a committed file the generator no longer writes all show up here.
#   cmake -DGENERATOR=quilo-skingen -DSOURCE=<source tree> -DOUT=<scratch folder> -P this file
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${GENERATOR} --skins ${OUT}/Skins --resources ${OUT}/resources
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "quilo-skingen failed: ${result}")
endif()

set(problems "")
file(GLOB_RECURSE drawn RELATIVE ${OUT} ${OUT}/*)
foreach(file IN LISTS drawn)
    string(REGEX REPLACE "^resources/" "src/resources/" committed ${file})
    file(SHA256 ${OUT}/${file} drawnHash)
    set(committedHash "")
    if(EXISTS ${SOURCE}/${committed})
        file(SHA256 ${SOURCE}/${committed} committedHash)
    endif()
    if(NOT drawnHash STREQUAL committedHash)
        list(APPEND problems "${committed} is not what the generator draws")
    endif()
endforeach()

file(GLOB_RECURSE shipped RELATIVE ${SOURCE} ${SOURCE}/Skins/* ${SOURCE}/src/resources/*.bmp
     ${SOURCE}/src/resources/*.png ${SOURCE}/src/resources/*.wav)
foreach(file IN LISTS shipped)
    string(REGEX REPLACE "^src/resources/" "resources/" generated ${file})
    if(NOT EXISTS ${OUT}/${generated})
        list(APPEND problems "${file} is committed but no longer drawn")
    endif()
endforeach()

if(problems)
    list(JOIN problems "\n" text)
    message(FATAL_ERROR "${text}\nRun: quilo-skingen --skins Skins --resources src/resources")
endif()
