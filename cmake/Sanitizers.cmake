# Sanitizers for the host builds. APPUNTEX_SANITIZE takes what -fsanitize=
# takes (the asan and fuzz presets set address,undefined); left empty, as in
# the host and Windows builds, it adds nothing. Targets opt in by linking
# appuntex_sanitize. Any report ends the process, so a test cannot pass with
# a finding printed somewhere in its output.
set(APPUNTEX_SANITIZE "" CACHE STRING
    "Sanitizers for the host tests, as -fsanitize= takes them (e.g. address,undefined)")

add_library(appuntex_sanitize INTERFACE)
if(APPUNTEX_SANITIZE)
    target_compile_options(appuntex_sanitize INTERFACE
        -fsanitize=${APPUNTEX_SANITIZE} -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(appuntex_sanitize INTERFACE -fsanitize=${APPUNTEX_SANITIZE})
endif()
