# Each sub-folder lists its own sources (paths relative to the sub-folder).
ui_include_subfolders(win32 WIN32_SOURCES flat html dialogs dragdrop menus)
