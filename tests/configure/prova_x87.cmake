# cmake -DCARTELLA=DIR -DGENERATORE=G [-DTOOLCHAIN=FILE] -P prova_x87.cmake
# A configure whose compiler uses the x87 unit stops with its message; the
# same compiler with SSE2 arithmetic configures.
set(toolchain)
if(TOOLCHAIN)
  set(toolchain -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN})
endif()
foreach(caso IN ITEMS x87 sse2)
  file(REMOVE_RECURSE ${CARTELLA}/${caso})
  if(caso STREQUAL "x87")
    set(opzioni "-mfpmath=387")
  else()
    set(opzioni "-msse2 -mfpmath=sse")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR}/x87 -B ${CARTELLA}/${caso} -G ${GENERATORE}
                          ${toolchain} "-DCMAKE_CXX_FLAGS=${opzioni}"
                  RESULT_VARIABLE stato OUTPUT_VARIABLE uscita ERROR_VARIABLE errori)
  if(caso STREQUAL "x87")
    if(stato EQUAL 0)
      message(FATAL_ERROR "the configure with -mfpmath=387 went through:\n${uscita}")
    endif()
    if(NOT errori MATCHES "evaluates floating point with excess precision \\(the x87 unit\\)")
      message(FATAL_ERROR "the configure with -mfpmath=387 failed without the message:\n${errori}")
    endif()
  elseif(NOT stato EQUAL 0)
    message(FATAL_ERROR "the configure with SSE2 arithmetic failed:\n${errori}")
  endif()
endforeach()
