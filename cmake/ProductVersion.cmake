# The product's one version number: the settings centre's build date, which the updater also
# compares with the manifest's (yyyymmdd). Both programs' version resources, the setup
# file's and its "DisplayVersion" are made from it.
set(ZELORA_VERSION_YEAR 2005)
set(ZELORA_VERSION_MONTH 10)
set(ZELORA_VERSION_DAY 13)

set(ZELORA_VERSION "${ZELORA_VERSION_YEAR}.${ZELORA_VERSION_MONTH}.${ZELORA_VERSION_DAY}")
set(ZELORA_BUILD_DATE "${ZELORA_VERSION_YEAR}${ZELORA_VERSION_MONTH}${ZELORA_VERSION_DAY}")
string(LENGTH "${ZELORA_BUILD_DATE}" _date_length)
if(NOT _date_length EQUAL 8)
    message(FATAL_ERROR "ZELORA_VERSION_*: give the month and day with two digits each")
endif()
configure_file("${CMAKE_SOURCE_DIR}/cmake/ProductVersion.h.in"
               "${ZELORA_GENERATED_DIR}/ProductVersion.h" @ONLY)
