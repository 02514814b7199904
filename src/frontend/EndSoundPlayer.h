// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tevrix {

// Plays the end-of-test sound; the window's side implements it.
class EndSoundPlayer {
public:
    virtual ~EndSoundPlayer() = default;
    // The program's built-in sound, without waiting for it to end.
    virtual void PlayDefaultEndSound() = 0;
    // A wave file, without waiting; a missing or unplayable file plays
    // nothing and shows nothing.
    virtual void PlaySoundFile(const std::string& path) = 0;
};

} // namespace tevrix
