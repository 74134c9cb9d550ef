#pragma once
// Qt's own texts in Bulgarian: the file and folder dialogs ("Преглед на:",
// "Запазване", "Отказ"), the standard buttons of the message boxes ("Добре")
// and the calendar of the date fields. The translation is the one installed
// with Qt (Debian package qt6-translations-l10n).

class QCoreApplication;

namespace qt {

// Installs the translation on the application and makes Bulgarian the
// default locale of Qt's widgets. False when the translation is not
// installed; Qt's texts then stay in English.
bool LoadBulgarianTranslation(QCoreApplication& application);

}  // namespace qt
