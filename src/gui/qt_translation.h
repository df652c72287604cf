#pragma once

#include <QString>

// Qt's own texts (standard buttons, context menus of edit boxes, file dialogs) follow the
// interface language through Qt's Russian translation, qtbase_ru.qm.

namespace gryvel::gui {

// Russian: loads qtbase_ru.qm from Qt's translations directory (once) and installs it on the
// application; English: removes it. A missing or unreadable file leaves Qt's texts in English
// and is not reported. REQUIRES: a QCoreApplication exists.
void SetQtTranslation(bool russian);

// As SetQtTranslation, with the .qm file looked for in `directory`.
void SetQtTranslation(bool russian, const QString& directory);

}  // namespace gryvel::gui
