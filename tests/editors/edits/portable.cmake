ui_include_lists(portable_*.cmake)
