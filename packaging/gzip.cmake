# Compresses INPUT into OUTPUT with gzip -n -9: no name and no time stamp in
# the header, so that the same text always gives the same bytes.
# Usage: cmake -DGZIP=<gzip> -DINPUT=<file> -DOUTPUT=<file.gz> -P gzip.cmake
execute_process(
  COMMAND ${GZIP} -n -9 -c ${INPUT}
  OUTPUT_FILE ${OUTPUT}.part
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE ${OUTPUT}.part)
  message(FATAL_ERROR "gzip failed on ${INPUT}: ${status}")
endif()
file(RENAME ${OUTPUT}.part ${OUTPUT})
