# Copies the built self-extracting program next to the library's resource script, or writes a
# marker that the s command recognises as "no program" while none is built.
if(EXISTS "${STUB}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${STUB}" "${COPY}")
else()
  set(marker "no self-extracting program was built\n")
  if(EXISTS "${COPY}")
    file(READ "${COPY}" old)
  endif()
  if(NOT old STREQUAL marker)
    file(WRITE "${COPY}" "${marker}")
  endif()
endif()
