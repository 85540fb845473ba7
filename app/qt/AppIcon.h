// The application's icon: the window icon of every dialog and the picture of the About box.
#pragma once

#include <QtGui/QIcon>

namespace quorvel::app::qt {

// The system's standard icon size, at which the About box shows the icon.
inline constexpr int kStandardIconSize = 32;

// The icon, or a null icon when the resource is missing.
QIcon ApplicationIcon();

}  // namespace quorvel::app::qt
