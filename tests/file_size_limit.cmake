# cmake -DFILE=PATH -DLIMIT=BYTES -P file_size_limit.cmake
# Fails when FILE is missing or larger than LIMIT bytes.
if(NOT EXISTS "${FILE}")
    message(FATAL_ERROR "${FILE} does not exist")
endif()
file(SIZE "${FILE}" size)
if(size GREATER LIMIT)
    message(FATAL_ERROR "${FILE} is ${size} bytes, more than the limit of ${LIMIT}")
endif()
message(STATUS "${FILE}: ${size} bytes, limit ${LIMIT}")
