// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/PropertyOwner.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tevrix {

enum class TStoreTarget {
    stIniFile = 0,  // section named after the owner in the INI file IniFile
    stRegistry = 1, // subkey named after the owner below RegKey in the user store
};

// Where the two kinds of store are: the folder that stands for the current
// user's registry branch (see UserStore::PathForKey) and the executable's
// folder, which holds the INI file.
struct NiceSettingsPlaces {
    std::string ConfigHome;
    std::string ExecutableDir;
};

// Stores chosen properties of its owner and of the owner's children and
// restores them later. The values of one owner live together under its
// component name, one string value per property, named as the entry of
// StoredProps ("Left", "PanelQuestion.Height"). Failures of single
// properties are ignored; there are no messages.
class TNiceSettings {
public:
    TNiceSettings(PropertyOwner& owner, NiceSettingsPlaces places);

    // The properties to store, one per entry: a property of the owner, or a
    // child's name, a dot and a property of that child.
    std::vector<std::string> StoredProps;
    // The key of the current user's registry branch below which the owner's
    // values are stored.
    std::string RegKey = "Software\\My Company\\My Program";
    // A file name in the executable's folder.
    std::string IniFile = "Settings.ini";
    TStoreTarget StoreTarget = TStoreTarget::stIniFile;

    // Applies every value found in the store (also one whose name is no
    // longer in StoredProps) to the owner or its child; unknown children,
    // empty values and values the property refuses are skipped. Does
    // nothing while StoredProps is empty.
    void LoadProps();
    // Replaces the stored values by the current values of StoredProps.
    // Does nothing while StoredProps is empty.
    void SaveProps();

private:
    struct Target {
        PropertyOwner* Component;
        std::string Property;
        std::string StoredName;
    };

    // Empty when the store has no usable place.
    std::string StorePath() const;
    // Splits a name at its first '.' into child and property; nothing when
    // the child does not exist.
    std::optional<Target> Resolve(std::string_view name);

    PropertyOwner& m_owner;
    NiceSettingsPlaces m_places;
};

} // namespace tevrix
