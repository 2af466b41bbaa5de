# Every area lists its tests in a win32_<area>.cmake.
ui_include_lists(win32_*.cmake)
