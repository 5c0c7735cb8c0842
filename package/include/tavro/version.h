// The package's version: the one place it is written. The build reads it from here too.
#pragma once

#define TAVRO_VERSION_MAJOR 1
#define TAVRO_VERSION_MINOR 0
#define TAVRO_VERSION_PATCH 0

// "MAJOR.MINOR.PATCH" as a string literal, made from the three numbers above.
#define TAVRO_VERSION_TEXT_(number) #number
#define TAVRO_VERSION_TEXT(number) TAVRO_VERSION_TEXT_(number)
#define TAVRO_VERSION_STRING                                                                                           \
    TAVRO_VERSION_TEXT(TAVRO_VERSION_MAJOR)                                                                            \
    "." TAVRO_VERSION_TEXT(TAVRO_VERSION_MINOR) "." TAVRO_VERSION_TEXT(TAVRO_VERSION_PATCH)
