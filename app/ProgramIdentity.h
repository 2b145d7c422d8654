#pragma once

#include <QString>

// How the program presents itself to the desktop: its menu entry, icon and
// metainfo share the desktop id; message boxes carry the display name.
namespace ProgramIdentity {

inline const QString kDesktopId = QStringLiteral("org.quillar.Quillar");
inline const QString kDisplayName = QStringLiteral("Quillar 图版管理");

} // namespace ProgramIdentity
