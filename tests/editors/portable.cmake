ui_include_subfolders(portable PORTABLE_TESTS tools popups edits)
