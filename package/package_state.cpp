#include "package_state.h"

#include "session_state.h"

PackageState& package_state = session_state().shared;
