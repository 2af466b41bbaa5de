# The files that library.rc embeds. windres reports no dependencies, so they
# are named here to rebuild the resource object when a picture changes.
# Source properties belong to a directory: include this file in every
# directory whose targets compile library.rc.
file(GLOB UI_RESOURCE_FILES CONFIGURE_DEPENDS
     ${UI_ROOT}/resources/bitmaps/*.bmp ${UI_ROOT}/resources/cursors/*.ani)
set_source_files_properties(${UI_ROOT}/resources/library.rc
                            PROPERTIES OBJECT_DEPENDS "${UI_RESOURCE_FILES}")
