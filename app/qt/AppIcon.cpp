#include "app/qt/AppIcon.h"

#include <QtGui/QPixmap>

namespace quorvel::app::qt {

QIcon ApplicationIcon() {
    return QIcon(QPixmap(QStringLiteral(":/quorvel/Quorvel.ico")));
}

}  // namespace quorvel::app::qt
