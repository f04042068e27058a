#pragma once

#include <QString>

struct AppState;

// The two pages the about window links to, kept in one place.

// The maker's home page (set when the program is configured).
QString homePageAddress();

// The product page: the user manual that the build puts beside the program.
QString productPageFile(const AppState& state);
