#include "session_state.h"

SessionState& session_state()
{
    static SessionState state;
    return state;
}
