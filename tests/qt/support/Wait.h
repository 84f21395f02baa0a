// Runs the event loop until a condition holds or the time is up.
#pragma once

#include <functional>

namespace orvane::test {

// True when done() became true within ms milliseconds. Sleeps between
// events; a 10 ms timer wakes it to look again.
bool WaitFor(const std::function<bool()>& done, int ms);

}  // namespace orvane::test
