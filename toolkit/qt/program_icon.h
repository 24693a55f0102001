#pragma once

#include <QIcon>

namespace quorvane {

// The program's icon, in 16, 32 and 48 pixels, for the title bars of all its windows.
QIcon ProgramIcon();

// The path of the icon's picture in one size (16, 32 or 48) within the program's resources.
QString ProgramIconPath(int size);

}  // namespace quorvane
