ui_include_subfolders(portable PORTABLE_TESTS flat html dialogs dragdrop menus)
