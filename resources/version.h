// The installer's own version: one set of numbers for the Windows version
// resource and for the native build, which reads its version from here.
#pragma once

#define SETUP_VERSION_MAJOR 1
#define SETUP_VERSION_MINOR 0
#define SETUP_VERSION_RELEASE 0
#define SETUP_VERSION_BUILD 0
#define SETUP_VERSION_TEXT "1.0.0.0"
#define SETUP_COMPANY_NAME "Talven Software"
#define SETUP_FILE_DESCRIPTION "Talven Setup"
#define SETUP_PRODUCT_NAME "Talven Setup"
#define SETUP_INTERNAL_NAME "SETUP"
#define SETUP_ORIGINAL_FILENAME "SETUP.EXE"
#define SETUP_LEGAL_COPYRIGHT "Copyright (C) 2026 Talven Software"
// Language U.S. English, code page 1252: translation text 04E40409.
#define SETUP_TRANSLATION_LANG 0x0409
#define SETUP_TRANSLATION_CODEPAGE 1252
