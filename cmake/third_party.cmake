# The libraries behind the interchange formats, linked statically so that every program stays
# a single file: pugixml (XML), simdjson (JSON, its On-Demand API), zlib, and minizip's zip
# reader. Natively pugixml, simdjson and minizip are Debian's development packages; the MinGW builds, and the fuzz build (to instrument them
# for coverage), compile them from the Debian sources that scripts/install-deps.sh fetches
# into build/deps/src. zlib is Debian's, for MinGW or the host.
# Targets: vondrel::pugixml, vondrel::simdjson, vondrel::minizip, vondrel::zlib.

find_path(VONDREL_ZLIB_INCLUDE_DIR zlib.h REQUIRED)
find_library(VONDREL_ZLIB_LIBRARY NAMES libz.a z REQUIRED)
add_library(vondrel_zlib STATIC IMPORTED)
set_target_properties(vondrel_zlib PROPERTIES IMPORTED_LOCATION ${VONDREL_ZLIB_LIBRARY}
                      INTERFACE_INCLUDE_DIRECTORIES ${VONDREL_ZLIB_INCLUDE_DIR})

if(CMAKE_CROSSCOMPILING OR VONDREL_FUZZ)
  set(VONDREL_DEPS_SOURCE_DIR ${PROJECT_SOURCE_DIR}/build/deps/src CACHE PATH
      "Debian source packages of pugixml and zlib, unpacked (scripts/install-deps.sh)")
  set(pugixml_dir ${VONDREL_DEPS_SOURCE_DIR}/pugixml/src)
  set(minizip_dir ${VONDREL_DEPS_SOURCE_DIR}/zlib/contrib/minizip)
  set(simdjson_dir ${VONDREL_DEPS_SOURCE_DIR}/simdjson/singleheader)
  if(NOT EXISTS ${pugixml_dir}/pugixml.cpp OR NOT EXISTS ${minizip_dir}/unzip.c
     OR NOT EXISTS ${simdjson_dir}/simdjson.cpp)
    message(FATAL_ERROR "The pugixml, simdjson and zlib sources are missing in ${VONDREL_DEPS_SOURCE_DIR}: "
                        "run scripts/install-deps.sh")
  endif()

  add_library(vondrel_pugixml STATIC ${pugixml_dir}/pugixml.cpp)
  target_include_directories(vondrel_pugixml SYSTEM PUBLIC ${pugixml_dir})

  # The amalgamated library: one source file. No exceptions are thrown to callers (results are
  # error codes), and no thread is started.
  add_library(vondrel_simdjson STATIC ${simdjson_dir}/simdjson.cpp)
  target_include_directories(vondrel_simdjson SYSTEM PUBLIC ${simdjson_dir})
  target_compile_definitions(vondrel_simdjson PUBLIC SIMDJSON_EXCEPTIONS=0 SIMDJSON_THREADS_ENABLED=0)
  target_compile_options(vondrel_simdjson PRIVATE -w)

  # The reader only: unzip.c with its file-function layer (archives are read from memory).
  add_library(vondrel_minizip STATIC ${minizip_dir}/unzip.c ${minizip_dir}/ioapi.c)
  target_include_directories(vondrel_minizip SYSTEM PUBLIC ${minizip_dir})
  target_compile_options(vondrel_minizip PRIVATE -w)
  target_link_libraries(vondrel_minizip PUBLIC vondrel_zlib)
else()
  find_package(pugixml REQUIRED CONFIG)
  add_library(vondrel_pugixml INTERFACE)
  target_link_libraries(vondrel_pugixml INTERFACE pugixml::static)

  find_package(simdjson REQUIRED CONFIG)
  add_library(vondrel_simdjson INTERFACE)
  target_link_libraries(vondrel_simdjson INTERFACE simdjson::simdjson)
  target_compile_definitions(vondrel_simdjson INTERFACE SIMDJSON_EXCEPTIONS=0)

  find_path(VONDREL_MINIZIP_INCLUDE_DIR unzip.h PATH_SUFFIXES minizip REQUIRED)
  find_library(VONDREL_MINIZIP_LIBRARY NAMES libminizip.a minizip REQUIRED)
  add_library(vondrel_minizip STATIC IMPORTED)
  set_target_properties(vondrel_minizip PROPERTIES IMPORTED_LOCATION ${VONDREL_MINIZIP_LIBRARY}
                        INTERFACE_INCLUDE_DIRECTORIES ${VONDREL_MINIZIP_INCLUDE_DIR}
                        INTERFACE_LINK_LIBRARIES vondrel_zlib)
endif()

add_library(vondrel::pugixml ALIAS vondrel_pugixml)
add_library(vondrel::simdjson ALIAS vondrel_simdjson)
add_library(vondrel::minizip ALIAS vondrel_minizip)
add_library(vondrel::zlib ALIAS vondrel_zlib)

# HTTP for vondrel-cli's address search natively (the Windows programs use WinHTTP).
if(NOT WIN32)
  find_package(CURL REQUIRED)
endif()
