# Compiler settings shared by every target of the project.
#
# -ffp-contract=off keeps the compiler from fusing multiplies and adds: the
# register arithmetic must match step-by-step evaluation exactly.
function(daxo_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -ffp-contract=off -fno-fast-math)
  if(DAXO_FUZZ)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
  if(DAXO_SANITIZE STREQUAL "address")
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer
                                             -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined,float-cast-overflow)
  elseif(DAXO_SANITIZE STREQUAL "thread")
    target_compile_options(${target} PRIVATE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=thread)
  elseif(NOT DAXO_SANITIZE STREQUAL "")
    message(FATAL_ERROR "DAXO_SANITIZE must be empty, 'address' or 'thread'")
  endif()
endfunction()
