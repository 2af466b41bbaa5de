ui_include_subfolders(win32 WIN32_TESTS flat html dialogs dragdrop menus)
