# Every area of the window layer lists its sources in a win32_<area>.cmake.
ui_include_lists(win32_*.cmake)
