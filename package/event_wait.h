// The event wait: one message per turn, until an event is assembled.
#pragma once

namespace tavro {

int next_event(int& x, int& y, char& key);
// One turn of the message loop; true when it took a message.
bool pump_one_message();

}  // namespace tavro
