# Turns the hosts configuration (finder/hosts.conf, or the file named by ZELORA_HOSTS_FILE)
# into ProductHosts.h in the build tree: plain constexpr strings that both programs include
# as "ProductHosts.h". Re-run whenever the file changes.

set(ZELORA_HOSTS_FILE "${CMAKE_SOURCE_DIR}/finder/hosts.conf" CACHE FILEPATH
    "Hosts configuration compiled into the programs (see finder/hosts.conf)")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${ZELORA_HOSTS_FILE}")

set(ZELORA_HOST_KEYS web_host home_host cinema_host
    caption_0 caption_1 caption_2 caption_3 caption_4 caption_5
    movie_0 movie_1 movie_2 movie_3 movie_4 movie_4_search movie_5
    ticket_0 ticket_1 ticket_2)

if(NOT EXISTS "${ZELORA_HOSTS_FILE}")
    message(FATAL_ERROR "ZELORA_HOSTS_FILE: ${ZELORA_HOSTS_FILE} does not exist")
endif()
file(STRINGS "${ZELORA_HOSTS_FILE}" _host_lines)
foreach(_line IN LISTS _host_lines)
    string(REGEX REPLACE "#.*$" "" _line "${_line}")
    string(STRIP "${_line}" _line)
    if(_line STREQUAL "")
        continue()
    endif()
    if(NOT _line MATCHES "^([a-z0-9_]+)[ \t]*=[ \t]*([^ \t]*)$")
        message(FATAL_ERROR "${ZELORA_HOSTS_FILE}: not \"key = host\": ${_line}")
    endif()
    set(_key "${CMAKE_MATCH_1}")
    set(_value "${CMAKE_MATCH_2}")
    # Only host-name characters: the value lands inside a C++ string literal and an address.
    if(NOT _value MATCHES "^[A-Za-z0-9]([A-Za-z0-9.-]*[A-Za-z0-9])?(:[0-9]+)?$")
        message(FATAL_ERROR "${ZELORA_HOSTS_FILE}: ${_key}: \"${_value}\" is not a host name")
    endif()
    if(NOT _key IN_LIST ZELORA_HOST_KEYS)
        message(FATAL_ERROR "${ZELORA_HOSTS_FILE}: unknown key ${_key}")
    endif()
    set(_host_${_key} "${_value}")
endforeach()
foreach(_key IN LISTS ZELORA_HOST_KEYS)
    if(NOT DEFINED _host_${_key})
        message(FATAL_ERROR "${ZELORA_HOSTS_FILE}: ${_key} is missing")
    endif()
endforeach()

set(ZELORA_GENERATED_DIR "${CMAKE_BINARY_DIR}/generated")
configure_file("${CMAKE_SOURCE_DIR}/cmake/ProductHosts.h.in"
               "${ZELORA_GENERATED_DIR}/ProductHosts.h" @ONLY)
