// Tolvik's version, shared by the version resource and the About box.
#pragma once

#define TOLVIK_VERSION_MAJOR 1
#define TOLVIK_VERSION_MINOR 0
#define TOLVIK_VERSION_PATCH 0
#define TOLVIK_VERSION_TEXT "1.0.0"
