# SPDX-License-Identifier: GPL-3.0-or-later
# Compile and link options of the project's own targets; each target asks for them with
# curvalo_target_options(target), so that nothing leaks into other projects' code.

function(curvalo_target_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(CURVALO_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()

    # The deflection models must give the same bits on every processor: no fused multiply-add
    # and no reassociation may change the order of their floating-point operations.
    target_compile_options(${target} PRIVATE -ffp-contract=off -fno-fast-math)

    # Qt asks for position-independent code, under which the compiler must assume that any
    # function with external linkage may be replaced when the program is loaded, and so
    # inlines none of them: not even a vector's constructor or a model's one-line term in the
    # source file that defines them. Nothing here is meant to be replaced that way.
    target_compile_options(${target} PRIVATE -fno-semantic-interposition)

    if(CURVALO_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined
                               -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined
                            -fno-sanitize-recover=all)
    endif()

    if(CURVALO_FUZZ)
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                               -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

if(CURVALO_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "The fuzz target needs clang (libFuzzer)")
endif()
