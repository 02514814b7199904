// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/IdentityCheck.h"

#include "text/Format.h"
#include "text/RegExp.h"
#include "text/Strings.h"

namespace tevrix {
namespace {

struct FieldCheck {
    bool Passed = true;
    std::string PatternError;
};

FieldCheck CheckField(const std::string& text, const std::string& pattern) {
    if (pattern.empty())
        return {};
    const RegExp expression(pattern);
    if (!expression.IsValid())
        return {false, expression.Error()};
    return {expression.Search(text), {}};
}

} // namespace

std::string NormalizeIdentityField(std::string_view text) {
    std::string out;
    for (const char c : Trim(text)) {
        if (c == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out += c;
    }
    return out;
}

IdentityCheckResult CheckIdentity(std::string_view name, std::string_view group,
                                  const IdentityPatterns& patterns, const TextLocale& locale) {
    IdentityCheckResult result;
    result.Name = NormalizeIdentityField(name);
    result.Group = NormalizeIdentityField(group);
    const FieldCheck nameCheck = CheckField(result.Name, patterns.NameExpression);
    const FieldCheck groupCheck = CheckField(result.Group, patterns.GroupExpression);
    if (nameCheck.Passed && groupCheck.Passed)
        return result;

    const bool nameFailed = !nameCheck.Passed;
    result.Failed = nameFailed ? IdentityField::Name : IdentityField::Group;
    result.PatternError = nameFailed ? nameCheck.PatternError : groupCheck.PatternError;
    result.BalloonHeader = locale.Tr("Ошибка ввода!");
    // The line break is LF, CR, as the station has always written it.
    result.BalloonText =
        locale.TrFormat("Не соответствует шаблону!\n\rОбразец: \"%s\".",
                        {nameFailed ? patterns.NameExample : patterns.GroupExample});
    return result;
}

} // namespace tevrix
