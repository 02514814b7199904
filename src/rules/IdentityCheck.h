// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/TextLocale.h"

#include <string>
#include <string_view>

namespace tevrix {

// The teacher's patterns for the pupil's name and group (settings
// UserNameExpression, UserGroupExpression, UserNameExample,
// UserGroupExample). An empty pattern lets every text pass.
struct IdentityPatterns {
    std::string NameExpression;
    std::string GroupExpression;
    std::string NameExample;
    std::string GroupExample;
};

enum class IdentityField {
    None, // both pass
    Name,
    Group,
};

// The check of the identification dialog when the pupil presses OK.
struct IdentityCheckResult {
    // The fields as they are written back into the dialog.
    std::string Name;
    std::string Group;
    // The field the balloon points at; the name when both fail.
    IdentityField Failed = IdentityField::None;
    // The balloon: "Ошибка ввода!" and the example of the failed field.
    std::string BalloonHeader;
    std::string BalloonText;
    // When the failed field's pattern is not a valid regular expression: the
    // engine's message, to be shown instead of the balloon. The pupil cannot
    // pass until the pattern is corrected in the settings.
    std::string PatternError;
};

// A field as the dialog keeps it: blanks and control characters trimmed at
// both ends, every inner run of blanks reduced to one.
std::string NormalizeIdentityField(std::string_view text);

// Normalises both fields and checks each against its pattern (a match
// anywhere, with the Cyrillic ranges of the station's patterns).
IdentityCheckResult CheckIdentity(std::string_view name, std::string_view group,
                                  const IdentityPatterns& patterns, const TextLocale& locale);

} // namespace tevrix
