ui_include_subfolders(win32 WIN32_TESTS tools popups edits)
