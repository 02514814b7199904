// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>

namespace tevrix {

// A step of a server exchange that failed: the name not resolved, the
// connection refused, lost or silent past its time-out, or a reply that
// breaks the framing. The exchanges catch it and turn it into the pupil's
// message; what() says what happened, for tests and tools.
class NetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace tevrix
