# cmake -DPROGRAM=... -DARGUMENT=... -DOUTPUT=... [-DGZIP=ON] -P RunToFile.cmake
# Writes what the program prints to OUTPUT, gzipped as Debian wants manual
# pages when GZIP is on; a failing program fails the build.
execute_process(COMMAND ${PROGRAM} ${ARGUMENT} OUTPUT_FILE ${OUTPUT}.tmp RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE ${OUTPUT}.tmp)
  message(FATAL_ERROR "${PROGRAM} ${ARGUMENT} failed: ${status}")
endif()
if(GZIP)
  execute_process(COMMAND gzip -9nc ${OUTPUT}.tmp OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE status)
  file(REMOVE ${OUTPUT}.tmp)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip of ${OUTPUT} failed: ${status}")
  endif()
else()
  file(RENAME ${OUTPUT}.tmp ${OUTPUT})
endif()
