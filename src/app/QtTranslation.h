#pragma once
// Qt's own texts (the standard file, print and message dialogs, the text
// fields' context menus) in Japanese, the language of the whole interface,
// whatever the user's locale is.

// Loads Qt's Japanese catalog ("qtbase_ja.qm" from Qt's translations folder)
// into the application once, with the few texts of Qt's print and file
// dialogs that the catalog lacks, and makes Japanese the default locale.
// Returns false when the catalog is missing: Qt's texts then stay English
// and nothing else changes.
bool InstallQtTranslation();
