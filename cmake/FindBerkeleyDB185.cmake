# Berkeley DB through its 1.85 interface (db_185.h, dbopen): Debian's libdb5.3-dev natively, the
# static build of setup for mingw.
find_path(BerkeleyDB185_INCLUDE_DIR db_185.h)
find_library(BerkeleyDB185_LIBRARY NAMES db-5.3 db)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(BerkeleyDB185
  REQUIRED_VARS BerkeleyDB185_LIBRARY BerkeleyDB185_INCLUDE_DIR)

if(BerkeleyDB185_FOUND AND NOT TARGET BerkeleyDB185::db)
  add_library(BerkeleyDB185::db UNKNOWN IMPORTED)
  set_target_properties(BerkeleyDB185::db PROPERTIES
    IMPORTED_LOCATION "${BerkeleyDB185_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${BerkeleyDB185_INCLUDE_DIR}")
  if(WIN32)
    # The mingw build of Berkeley DB uses winpthreads.
    set_property(TARGET BerkeleyDB185::db PROPERTY INTERFACE_LINK_LIBRARIES pthread)
  endif()
endif()
