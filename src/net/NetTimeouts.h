// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

namespace tevrix {

// How long the station waits on the server before it gives an exchange up,
// so that a server that stops answering cannot hold the station (or the
// reports queued behind the exchange) for ever.
//
// Connect: a server machine that is switched off drops the packets instead
// of refusing them; 10 s is far beyond a school network's round trip.
// Transfer: the longest wait for the next bytes of a reply, or for room to
// send; it is a time without progress, not a limit on the whole exchange,
// so a large test on a slow network still arrives as long as bytes keep
// coming. Name resolution is left to the system's resolver and its own
// time-outs.
struct NetTimeouts {
    std::chrono::milliseconds Connect{10'000};
    std::chrono::milliseconds Transfer{30'000};
};

} // namespace tevrix
