#pragma once

class QCoreApplication;

namespace td {

// Qt's own Japanese texts (the print, file and message dialogs, the standard buttons), so that
// they speak the language of the rest of the program. Without the translation file installed,
// Qt's English stays: that is no error.
void InstallQtTranslations(QCoreApplication& application);

}  // namespace td
