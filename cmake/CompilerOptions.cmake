# Options shared by every target of the project.

add_compile_options(-Wall -Wextra -Wpedantic)
if(CURVALO_WERROR)
    add_compile_options(-Werror)
endif()

# The deflection models must give the same bits on every processor: no fused multiply-add
# and no reassociation may change the order of their floating-point operations.
add_compile_options(-ffp-contract=off -fno-fast-math)

if(CURVALO_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

if(CURVALO_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "The fuzz target needs clang (libFuzzer)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
