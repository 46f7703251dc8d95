# The small libraries go into the programs from their static archives when the system has
# them: each shared library costs every start of the command-line tool a map and a symbol
# walk, and a whole HEX conversion is over in a few milliseconds. libusb stays shared (it
# brings libudev, which has no archive).
option(VEXLOR_STATIC_DEPS "link pugixml, minizip, zlib and SQLite statically when possible" ON)
if(NOT VEXLOR_STATIC_DEPS)
  return()
endif()

if(TARGET pugixml::static)
  set_target_properties(pugixml::pugixml PROPERTIES INTERFACE_LINK_LIBRARIES pugixml::static)
endif()

find_library(VEXLOR_ZLIB_ARCHIVE NAMES libz.a)
if(VEXLOR_ZLIB_ARCHIVE)
  set_target_properties(ZLIB::ZLIB PROPERTIES IMPORTED_LOCATION ${VEXLOR_ZLIB_ARCHIVE})
endif()

find_library(VEXLOR_MINIZIP_ARCHIVE NAMES libminizip.a)
if(VEXLOR_MINIZIP_ARCHIVE)
  set_target_properties(PkgConfig::MINIZIP PROPERTIES
    INTERFACE_LINK_LIBRARIES "${VEXLOR_MINIZIP_ARCHIVE};ZLIB::ZLIB")
endif()

find_library(VEXLOR_SQLITE_ARCHIVE NAMES libsqlite3.a)
if(VEXLOR_SQLITE_ARCHIVE)
  set_target_properties(SQLite::SQLite3 PROPERTIES
    IMPORTED_LOCATION ${VEXLOR_SQLITE_ARCHIVE}
    INTERFACE_LINK_LIBRARIES "m;${CMAKE_DL_LIBS};Threads::Threads")
endif()
