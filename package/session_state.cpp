#include "session_state.h"

namespace tavro {

SessionState& session_state()
{
    static SessionState state;
    return state;
}

}  // namespace tavro
