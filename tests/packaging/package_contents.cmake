# Makes the Debian package with cpack into OUT (from the built tree BUILD) and checks with
# dpkg-deb -c that it holds what a flyer needs: the programs, the menu entry, the icon in every
# size, the metainfo, the manual pages, the sample flights and the copyright file.
foreach(var BUILD OUT VERSION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "usage: cmake -DBUILD=<build> -DOUT=<dir> -DVERSION=<v> -P package_contents.cmake")
  endif()
endforeach()
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND cpack -G DEB --config "${BUILD}/CPackConfig.cmake" -B "${OUT}"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cpack failed (${status}): ${out}${err}")
endif()
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(deb "${OUT}/orvale_${VERSION}-1_${arch}.deb")
if(NOT EXISTS "${deb}")
  file(GLOB made "${OUT}/*.deb")
  message(FATAL_ERROR "no ${deb}; cpack made: ${made}")
endif()
execute_process(COMMAND dpkg-deb -c "${deb}" RESULT_VARIABLE status OUTPUT_VARIABLE listing)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -c ${deb} failed")
endif()
set(wanted
  ./usr/bin/orvale
  ./usr/bin/orvale-cli
  ./usr/bin/tavix-sim
  ./usr/share/applications/com.vantrel.Orvale.desktop
  ./usr/share/metainfo/com.vantrel.Orvale.metainfo.xml
  ./usr/share/icons/hicolor/scalable/apps/orvale.svg
  ./usr/share/man/man1/orvale.1.gz
  ./usr/share/man/man1/orvale-cli.1.gz
  ./usr/share/man/man1/tavix-sim.1.gz
  ./usr/share/doc/orvale/copyright
  ./usr/share/doc/orvale/changelog.Debian.gz
  ./usr/share/orvale/samples/Vessin.cal)
foreach(size 16 24 32 48 64 128 256)
  list(APPEND wanted ./usr/share/icons/hicolor/${size}x${size}/apps/orvale.png)
endforeach()
foreach(n RANGE 1 8)
  list(APPEND wanted ./usr/share/orvale/samples/FLT-00${n}.DAT ./usr/share/orvale/samples/FLT-00${n}.PAR)
endforeach()
set(missing "")
foreach(path IN LISTS wanted)
  string(REPLACE "." "\\." pattern "${path}")
  if(NOT listing MATCHES " ${pattern}\n")
    list(APPEND missing "${path}")
  endif()
endforeach()
# Owned by root, and nothing but regular files and folders (no build tree left-overs).
string(REGEX MATCHALL "\n[^\n]*" lines "\n${listing}")
set(strays "")
foreach(line IN LISTS lines)
  if(line MATCHES "^\n[^-d]" OR (line MATCHES "^\n." AND NOT line MATCHES "^\n.......... root/root "))
    list(APPEND strays "${line}")
  endif()
  if(line MATCHES "make_samples|CMakeLists|\\.in\n|/build/")
    list(APPEND strays "${line}")
  endif()
endforeach()
if(missing OR strays)
  message(FATAL_ERROR "${deb}:\n missing: ${missing}\n unexpected: ${strays}\n${listing}")
endif()
# The metainfo with its desktop entry and icon, as software centres read them from the
# installed tree (where appstreamcli is there to ask).
find_program(appstreamcli appstreamcli)
if(appstreamcli)
  execute_process(COMMAND dpkg-deb -x "${deb}" "${OUT}/root" RESULT_VARIABLE status)
  execute_process(COMMAND ${appstreamcli} validate-tree --no-net "${OUT}/root"
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate-tree refuses the package's tree:\n${out}${err}")
  endif()
endif()
list(LENGTH wanted count)
message(STATUS "${deb} holds all ${count} wanted paths")
