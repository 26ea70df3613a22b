#pragma once
// Opening a page of the manual that is installed beside the program.

#include <QString>

class QWidget;

namespace tess {

inline constexpr const char* kResourceManagerPage = "resource-manager";

// Opens the manual (at the section of that name, when one is given); says so in a message box when
// it cannot.
void OpenManualPage(QWidget* owner, const QString& section);

}  // namespace tess
