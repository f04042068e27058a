#include "about/WebPages.h"

#include "core/AppState.h"

#ifndef GLIMMORA_HOMEPAGE
#error "GLIMMORA_HOMEPAGE is set by about/CMakeLists.txt"
#endif

QString homePageAddress()
{
    return QStringLiteral(GLIMMORA_HOMEPAGE);
}

QString productPageFile(const AppState& state)
{
    return state.programDir + QStringLiteral("manual.html");
}
