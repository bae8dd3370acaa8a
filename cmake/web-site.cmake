# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Puts the web site together: copies FILES into OUT, the icons under short
# names, and writes the service worker from SERVICE_WORKER with the list of
# files to keep offline and a cache name made from their contents, so that
# a browser takes a changed site for a new version.
# Usage: cmake -DOUT=DIR -DSERVICE_WORKER=sw.js.in -DFILES=a;b;... -P web-site.cmake
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
set(names)
set(sums)
foreach(path IN LISTS FILES)
  get_filename_component(name ${path} NAME)
  # The icons by their size alone: icon-192.png, icon-512.png.
  string(REGEX REPLACE "^.*-([0-9]+)\\.png$" "icon-\\1.png" name ${name})
  configure_file(${path} ${OUT}/${name} COPYONLY)
  file(SHA256 ${path} sum)
  list(APPEND names ${name})
  string(APPEND sums "${sum} ${name}\n")
endforeach()
string(SHA256 version "${sums}")
string(SUBSTRING ${version} 0 16 TACOLINA_SITE_VERSION)
list(SORT names)
list(JOIN names "', './" files)
set(TACOLINA_SITE_FILES "'./', './${files}'")
configure_file(${SERVICE_WORKER} ${OUT}/sw.js @ONLY)
