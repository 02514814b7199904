// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/RunCounter.h"

#include "config/ProfileInteger.h"
#include "text/Format.h"

#include <filesystem>
#include <limits>

namespace tevrix {

RunCounter::RunCounter(UserStore store, RebootMarkers markers)
    : m_store(std::move(store)), m_markers(std::move(markers)) {}

RunCounter RunCounter::ForCurrentUser() {
    UserStore store = UserStore::ForCurrentUser();
    const std::string folder =
        store.Path().empty()
            ? std::string()
            : (std::filesystem::path(store.Path()).parent_path() / "RunMarkers").string();
    return RunCounter(std::move(store), RebootMarkers(folder, CurrentBootId()));
}

int32_t RunCounter::CountTestRun(const std::string& uid) {
    if (!m_markers.Exists(uid)) {
        m_markers.Create(uid);
        m_store.WriteString(kRunCountSubkey, uid, "1");
        return 0;
    }
    const auto text = m_store.ReadString(kRunCountSubkey, uid);
    const int32_t count =
        (text ? ParseProfileInteger(*text) : std::nullopt).value_or(kRunCountFallback);
    // Refused starts keep counting; the count stops at the largest value
    // rather than wrapping round to a negative one.
    const int32_t next = count == std::numeric_limits<int32_t>::max() ? count : count + 1;
    m_store.WriteString(kRunCountSubkey, uid, std::to_string(next));
    return count;
}

Outcome RunCounter::CheckRunLimit(const std::string& uid, int32_t maxRuns,
                                  const TextLocale& locale) {
    if (maxRuns <= 0 || CountTestRun(uid) < maxRuns)
        return {};
    return Outcome::Failure(
        PupilMessage{locale.TrFormat(kMsgRunLimit, {static_cast<long long>(maxRuns)}),
                     locale.Tr(kCaptionRunLimit), MessageIcon::Error});
}

} // namespace tevrix
