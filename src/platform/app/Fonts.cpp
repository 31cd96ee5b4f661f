#include "platform/app/Fonts.h"

#include <QFont>
#include <QStringList>

namespace platform {

void InstallFontSubstitutions() {
    const QString target = QStringLiteral("Liberation Sans");
    for (const QString &family : {QStringLiteral("MS Sans Serif"), QStringLiteral("Tahoma")}) {
        if (!QFont::substitutes(family).contains(target))
            QFont::insertSubstitution(family, target);
    }
}

} // namespace platform
