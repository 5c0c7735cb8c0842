#include "package_state.h"

PackageState package_state;
