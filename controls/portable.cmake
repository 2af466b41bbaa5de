# Each sub-folder lists its own sources (paths relative to the sub-folder).
ui_include_subfolders(portable PORTABLE_SOURCES flat html dialogs dragdrop menus)
