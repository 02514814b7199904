// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/PropertyOwner.h"

#include <QRect>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace tevrix {

// The stored properties of a top-level window: "Left", "Top", "Width",
// "Height" (the placement of its normal state, also while it is maximised),
// "Position" (its placement rule, by the name of its value: "poScreenCenter"
// and the rest) and "WindowState" ("wsNormal", "wsMaximized"; a window
// stored minimised comes back normal, so the station never starts out of
// sight). Its children are the widgets of the window by object name, with
// "Width" and "Height"; the height of a pane of a splitter moves the
// splitter.
class WindowProperties : public PropertyOwner {
public:
    explicit WindowProperties(QWidget& window);
    ~WindowProperties() override;

    std::string ComponentName() const override;
    std::optional<std::string> GetProperty(std::string_view name) const override;
    bool SetProperty(std::string_view name, std::string_view text) override;
    PropertyOwner* FindChild(std::string_view name) override;

    // Brings a window that lies off every screen back onto one.
    void KeepOnScreen();

    // The placement that keeps `window` reachable on `screens` (their
    // available areas, the primary first): `window` itself when its title
    // strip shows on one of them, otherwise the window no larger than the
    // screen it overlaps most (the primary when none) and centred on it.
    static QRect OnScreen(const QRect& window, const std::vector<QRect>& screens);

private:
    QRect NormalGeometry() const;
    void SetNormalGeometry(const QRect& geometry);

    QWidget& m_window;
    std::string m_position = "poScreenCenter";
    std::map<std::string, std::unique_ptr<PropertyOwner>, std::less<>> m_children;
};

} // namespace tevrix
