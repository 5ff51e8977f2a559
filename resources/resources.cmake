# Resources of the program and of the tests that load its dialogs (filled in with the dialogs).
