ui_include_lists(win32_*.cmake)
