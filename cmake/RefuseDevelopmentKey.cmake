# Run as a step of the setup target of a signing build:
#   cmake -DPROGRAM=ZeloraUpdate.exe -DDEV_POINT=<128 hex digits> -P RefuseDevelopmentKey.cmake
# Fails when the program carries the development key's X and Y (the key it verifies
# manifests with), whatever the configuration says: a signed setup never packs an updater
# that trusts manifests anyone with the repository can sign.
cmake_policy(VERSION 3.21)
if(NOT PROGRAM OR NOT DEV_POINT)
    message(FATAL_ERROR "RefuseDevelopmentKey.cmake: PROGRAM and DEV_POINT are required")
endif()
file(READ "${PROGRAM}" _hex HEX)
# A match counts only on a byte boundary (an even position in the hex text).
set(_at 0)
while(TRUE)
    string(FIND "${_hex}" "${DEV_POINT}" _found)
    if(_found LESS 0)
        break()
    endif()
    math(EXPR _position "${_at} + ${_found}")
    math(EXPR _odd "${_position} % 2")
    if(_odd EQUAL 0)
        message(FATAL_ERROR "${PROGRAM} trusts the DEVELOPMENT update key: this setup is not packed. "
                            "Configure with -DZELORA_UPDATE_KEY_FILE=/path/to/release-signing.public.pem.")
    endif()
    math(EXPR _next "${_found} + 1")
    string(SUBSTRING "${_hex}" ${_next} -1 _hex)
    math(EXPR _at "${_position} + 1")
endwhile()
message(STATUS "${PROGRAM}: not the development update key")
