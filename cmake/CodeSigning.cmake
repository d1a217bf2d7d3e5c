# Authenticode signing of what we ship, as the build's last step: configure with
# -DZELORA_SIGN_CERT=cert.pem -DZELORA_SIGN_KEY=key.pem (PEM files; for an encrypted key,
# -DZELORA_SIGN_PASSWORD_FILE= names a file holding its password, so the password is in no
# command line or build file). Without them nothing is signed, and configure says so.
set(ZELORA_SIGN_CERT "" CACHE FILEPATH "Authenticode certificate (PEM) that signs the programs and the setup")
set(ZELORA_SIGN_KEY "" CACHE FILEPATH "Private key (PEM) of ZELORA_SIGN_CERT")
set(ZELORA_SIGN_PASSWORD_FILE "" CACHE FILEPATH "File holding the password of ZELORA_SIGN_KEY, if any")

if(ZELORA_SIGN_CERT)
    if(NOT EXISTS "${ZELORA_SIGN_CERT}" OR NOT EXISTS "${ZELORA_SIGN_KEY}")
        message(FATAL_ERROR "ZELORA_SIGN_CERT and ZELORA_SIGN_KEY must both name existing files")
    endif()
    find_program(ZELORA_OSSLSIGNCODE osslsigncode REQUIRED)
    message(STATUS "Signing: the programs and the setup are signed with ${ZELORA_SIGN_CERT}")
else()
    message(STATUS "Signing: ZELORA_SIGN_CERT not given: nothing is signed")
endif()

# Appends to the list named by `out` the commands that sign `file` in place (nothing when
# signing is off). No timestamp server: the build never goes on the network.
function(zelora_sign_commands out file)
    if(NOT ZELORA_SIGN_CERT)
        return()
    endif()
    set(password_args "")
    if(ZELORA_SIGN_PASSWORD_FILE)
        set(password_args -readpass ${ZELORA_SIGN_PASSWORD_FILE})
    endif()
    set(commands ${${out}}
        COMMAND ${ZELORA_OSSLSIGNCODE} sign -certs ${ZELORA_SIGN_CERT} -key ${ZELORA_SIGN_KEY}
                ${password_args} -h sha256 -n Zelora -in ${file} -out ${file}.signed
        COMMAND ${CMAKE_COMMAND} -E rename ${file}.signed ${file})
    set(${out} ${commands} PARENT_SCOPE)
endfunction()

# Signs a program target's file after every link.
function(zelora_sign_target target)
    set(commands "")
    zelora_sign_commands(commands $<TARGET_FILE:${target}>)
    if(commands)
        add_custom_command(TARGET ${target} POST_BUILD ${commands} VERBATIM)
    endif()
endfunction()
