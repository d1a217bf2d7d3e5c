# Turns the update signing key (a P-256 public key in PEM, as `openssl pkey -pubout` writes
# it) into UpdateKey.h in the build tree: the key's X and Y that ZeloraUpdate verifies every
# manifest signature with. Without ZELORA_UPDATE_KEY_FILE the development key is compiled
# in, whose private half is published with the tests: such a build trusts test manifests,
# so a build that signs what it ships (ZELORA_SIGN_CERT) must be given the release key.

set(ZELORA_DEV_UPDATE_KEY "${CMAKE_SOURCE_DIR}/updater/keys/dev-update-signing.public.pem")
set(ZELORA_UPDATE_KEY_FILE "" CACHE FILEPATH
    "P-256 public key (PEM) that ZeloraUpdate trusts for its manifest (default: the development key)")

# The 64 bytes of X and Y of the P-256 public key in `key_file`, as lower-case hex, into `out`.
function(zelora_update_key_point key_file out)
    if(NOT EXISTS "${key_file}")
        message(FATAL_ERROR "ZELORA_UPDATE_KEY_FILE: ${key_file} does not exist")
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${key_file}")
    # The base64 text between the PEM armour lines; comment lines before it are allowed.
    file(READ "${key_file}" _pem)
    if(NOT _pem MATCHES "-----BEGIN PUBLIC KEY-----([A-Za-z0-9+/=\r\n]+)-----END PUBLIC KEY-----")
        message(FATAL_ERROR "${key_file}: no PEM public key (-----BEGIN PUBLIC KEY----- ...)")
    endif()
    string(REGEX REPLACE "[\r\n]" "" _base64 "${CMAKE_MATCH_1}")
    string(REGEX REPLACE "=+$" "" _base64 "${_base64}")
    set(_alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
    set(_hex "")
    set(_bits 0)
    set(_count 0)
    string(LENGTH "${_base64}" _length)
    math(EXPR _last "${_length} - 1")
    foreach(_i RANGE 0 ${_last})
        string(SUBSTRING "${_base64}" ${_i} 1 _char)
        string(FIND "${_alphabet}" "${_char}" _value)
        if(_value LESS 0)
            message(FATAL_ERROR "${key_file}: the key is not base64")
        endif()
        math(EXPR _bits "((${_bits} << 6) | ${_value}) & 0xFFFFFF")
        math(EXPR _count "${_count} + 6")
        if(_count GREATER_EQUAL 8)
            math(EXPR _count "${_count} - 8")
            math(EXPR _byte "(${_bits} >> ${_count}) & 0xFF" OUTPUT_FORMAT HEXADECIMAL)
            string(SUBSTRING "${_byte}" 2 -1 _byte)
            string(LENGTH "${_byte}" _byte_length)
            if(_byte_length EQUAL 1)
                set(_byte "0${_byte}")
            endif()
            string(APPEND _hex "${_byte}")
        endif()
    endforeach()
    string(TOLOWER "${_hex}" _hex)
    # SubjectPublicKeyInfo of an uncompressed P-256 point: fixed 27-byte prefix, then X and Y.
    set(_prefix "3059301306072a8648ce3d020106082a8648ce3d03010703420004")
    string(LENGTH "${_hex}" _hex_length)
    string(FIND "${_hex}" "${_prefix}" _prefix_at)
    if(NOT _hex_length EQUAL 182 OR NOT _prefix_at EQUAL 0)
        message(FATAL_ERROR "${key_file}: not an uncompressed P-256 (prime256v1) public key")
    endif()
    string(SUBSTRING "${_hex}" 54 128 _point)
    set(${out} "${_point}" PARENT_SCOPE)
endfunction()

zelora_update_key_point("${ZELORA_DEV_UPDATE_KEY}" ZELORA_DEV_UPDATE_POINT)
if(ZELORA_UPDATE_KEY_FILE STREQUAL "")
    set(_key_file "${ZELORA_DEV_UPDATE_KEY}")
else()
    set(_key_file "${ZELORA_UPDATE_KEY_FILE}")
endif()
zelora_update_key_point("${_key_file}" _point)
# Judged by the key itself, not by the option: a copy of the development key is no release key.
if(_point STREQUAL ZELORA_DEV_UPDATE_POINT)
    set(ZELORA_UPDATE_KEY_IS_DEVELOPMENT true)
    if(ZELORA_SIGN_CERT)
        message(FATAL_ERROR "ZELORA_SIGN_CERT is given, but ZeloraUpdate would trust the DEVELOPMENT "
                            "update key, whose private half is public. Configure a signed build with "
                            "-DZELORA_UPDATE_KEY_FILE=/path/to/release-signing.public.pem as well.")
    endif()
    if(WIN32)
        message(WARNING "ZeloraUpdate trusts the DEVELOPMENT update key only (test and demo "
                        "manifests). A release needs -DZELORA_UPDATE_KEY_FILE=/path/to/public.pem.")
    endif()
else()
    set(ZELORA_UPDATE_KEY_IS_DEVELOPMENT false)
endif()
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," ZELORA_UPDATE_KEY_BYTES "${_point}")
set(ZELORA_UPDATE_KEY_SOURCE "${_key_file}")
configure_file("${CMAKE_SOURCE_DIR}/cmake/UpdateKey.h.in"
               "${ZELORA_GENERATED_DIR}/UpdateKey.h" @ONLY)
