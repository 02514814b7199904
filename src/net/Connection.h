// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tevrix {

// The open connection of one server exchange. Destroying it closes it, so an
// exchange that ends by an exception closes its connection too.
class Connection {
public:
    virtual ~Connection() = default;
    // Sends every byte; throws NetError.
    virtual void Send(std::span<const uint8_t> bytes) = 0;
    // Waits for bytes and reads up to `size` of them; returns how many, 0 when
    // the server has closed its side. Throws NetError.
    virtual size_t Receive(uint8_t* buffer, size_t size) = 0;
};

} // namespace tevrix
