# Flags every target shares. The samples must not depend on the compiler's
# mood: no fused multiply-add, no fast-math, and SSE2 arithmetic on i686 so
# that the Windows and Linux libraries compute the same bits.
add_compile_options(-Wall -Wextra -ffp-contract=off -fno-fast-math)
if(QUORVANE_WARNINGS_AS_ERRORS)
    add_compile_options(-Werror)
endif()
if(CMAKE_SYSTEM_PROCESSOR MATCHES "i[3-6]86")
    add_compile_options(-msse2 -mfpmath=sse)
endif()
if(QUORVANE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
if(QUORVANE_TSAN)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()
