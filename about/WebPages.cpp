#include "about/WebPages.h"

#include "core/AppState.h"

#include <QFileInfo>

#ifndef GLIMMORA_HOMEPAGE
#error "GLIMMORA_HOMEPAGE is set by about/CMakeLists.txt"
#endif

QString homePageAddress()
{
    return QStringLiteral(GLIMMORA_HOMEPAGE);
}

QString productPageFile(const AppState& state)
{
    // A browser cannot follow the folder the program holds: its name now.
    const QString file = state.programDir + QStringLiteral("manual.html");
    const QString now = QFileInfo(file).canonicalFilePath();
    return now.isEmpty() ? file : now;
}
