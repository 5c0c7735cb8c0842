#include "package_state.h"

namespace tavro {

PackageState package_state;

}  // namespace tavro
