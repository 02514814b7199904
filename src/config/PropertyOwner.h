// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tevrix {

// A component whose named properties can be read and set as text, with
// named child components: what TNiceSettings stores and restores. The
// window side implements it over its widgets. Texts: integers in decimal,
// enumerations by the name of their value ("wsMaximized"), strings as they
// are.
class PropertyOwner {
public:
    virtual ~PropertyOwner() = default;

    // The component's name ("StudentMainForm").
    virtual std::string ComponentName() const = 0;
    // The property's value as text, or nothing when there is no such
    // property.
    virtual std::optional<std::string> GetProperty(std::string_view name) const = 0;
    // False when there is no such property or the text does not convert to
    // its type; the property is then unchanged.
    virtual bool SetProperty(std::string_view name, std::string_view text) = 0;
    // The child component of that name, or nullptr.
    virtual PropertyOwner* FindChild(std::string_view name) = 0;
};

} // namespace tevrix
