// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/WindowProperties.h"

#include "config/ProfileInteger.h"
#include "text/Strings.h"
#include "ui/UiText.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QWidget>

#include <algorithm>
#include <array>

namespace tevrix {
namespace {

// The placement rules of a window, by the names of their values.
constexpr std::array<const char*, 8> kPositions = {
    "poDesigned",     "poDefault",       "poDefaultPosOnly", "poDefaultSizeOnly",
    "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"};

// The strip at the top of a window that must show on a screen for the
// window to be moved with the mouse, and how much of it.
constexpr int kTitleStrip = 30;
constexpr int kGrip = 100;

std::optional<int> PositiveNumber(std::string_view text) {
    const std::optional<int32_t> number = ParseProfileInteger(text);
    return number && *number > 0 ? number : std::nullopt;
}

bool SameName(std::string_view a, std::string_view b) {
    return UpperCase(a) == UpperCase(b);
}

// A widget of the window, by its object name: its width and height.
class ChildProperties : public PropertyOwner {
public:
    explicit ChildProperties(QWidget& widget) : m_widget(widget) {}

    std::string ComponentName() const override { return FromQt(m_widget.objectName()); }

    std::optional<std::string> GetProperty(std::string_view name) const override {
        if (name == "Width")
            return std::to_string(m_widget.width());
        if (name == "Height")
            return std::to_string(Height());
        return std::nullopt;
    }

    bool SetProperty(std::string_view name, std::string_view text) override {
        const std::optional<int> value = PositiveNumber(text);
        if (!value || (name != "Width" && name != "Height"))
            return false;
        if (name == "Width")
            m_widget.resize(*value, m_widget.height());
        else if (!SetPaneHeight(*value))
            m_widget.resize(m_widget.width(), *value);
        return true;
    }

    PropertyOwner* FindChild(std::string_view) override { return nullptr; }

private:
    QSplitter* Splitter() const {
        auto* splitter = qobject_cast<QSplitter*>(m_widget.parentWidget());
        return splitter && splitter->orientation() == Qt::Vertical ? splitter : nullptr;
    }

    int Height() const {
        if (QSplitter* splitter = Splitter())
            return splitter->sizes().value(splitter->indexOf(&m_widget), m_widget.height());
        return m_widget.height();
    }

    // The pane takes the height from its neighbour below (above for the
    // last pane); the splitter keeps its size.
    bool SetPaneHeight(int height) {
        QSplitter* splitter = Splitter();
        if (!splitter || splitter->count() < 2)
            return false;
        QList<int> sizes = splitter->sizes();
        const int index = splitter->indexOf(&m_widget);
        const int neighbour = index + 1 < sizes.size() ? index + 1 : index - 1;
        const int total = sizes[index] + sizes[neighbour];
        sizes[neighbour] = std::max(total - height, 1);
        sizes[index] = height;
        splitter->setSizes(sizes);
        return true;
    }

    QWidget& m_widget;
};

} // namespace

WindowProperties::WindowProperties(QWidget& window) : m_window(window) {}

WindowProperties::~WindowProperties() = default;

std::string WindowProperties::ComponentName() const {
    return FromQt(m_window.objectName());
}

QRect WindowProperties::NormalGeometry() const {
    const QRect normal = m_window.normalGeometry();
    if ((m_window.isMaximized() || m_window.isFullScreen()) && normal.isValid())
        return normal;
    return m_window.geometry();
}

void WindowProperties::SetNormalGeometry(const QRect& geometry) {
    m_window.setGeometry(geometry);
}

std::optional<std::string> WindowProperties::GetProperty(std::string_view name) const {
    const QRect normal = NormalGeometry();
    if (name == "Left")
        return std::to_string(normal.x());
    if (name == "Top")
        return std::to_string(normal.y());
    if (name == "Width")
        return std::to_string(normal.width());
    if (name == "Height")
        return std::to_string(normal.height());
    if (name == "Position")
        return m_position;
    if (name == "WindowState")
        return m_window.isMaximized()   ? "wsMaximized"
               : m_window.isMinimized() ? "wsMinimized"
                                        : "wsNormal";
    return std::nullopt;
}

bool WindowProperties::SetProperty(std::string_view name, std::string_view text) {
    if (name == "Position") {
        const auto* found =
            std::find_if(kPositions.begin(), kPositions.end(),
                         [text](const char* value) { return SameName(text, value); });
        if (found == kPositions.end())
            return false;
        m_position = *found;
        return true;
    }
    if (name == "WindowState") {
        const Qt::WindowStates plain =
            m_window.windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized);
        if (SameName(text, "wsMaximized"))
            m_window.setWindowState(plain | Qt::WindowMaximized);
        else if (SameName(text, "wsNormal") || SameName(text, "wsMinimized"))
            m_window.setWindowState(plain);
        else
            return false;
        return true;
    }
    QRect geometry = NormalGeometry();
    const std::optional<int32_t> number = ParseProfileInteger(text);
    if (number && name == "Left")
        geometry.moveLeft(*number);
    else if (number && name == "Top")
        geometry.moveTop(*number);
    else if (number && *number > 0 && name == "Width")
        geometry.setWidth(*number);
    else if (number && *number > 0 && name == "Height")
        geometry.setHeight(*number);
    else
        return false;
    SetNormalGeometry(geometry);
    return true;
}

PropertyOwner* WindowProperties::FindChild(std::string_view name) {
    if (name.empty())
        return nullptr;
    const auto known = m_children.find(name);
    if (known != m_children.end())
        return known->second.get();
    auto* widget = m_window.findChild<QWidget*>(ToQt(std::string(name)));
    if (widget == nullptr)
        return nullptr;
    auto& child = m_children[std::string(name)];
    child = std::make_unique<ChildProperties>(*widget);
    return child.get();
}

QRect WindowProperties::OnScreen(const QRect& window, const std::vector<QRect>& screens) {
    if (screens.empty())
        return window;
    const QRect strip(window.left(), window.top(), window.width(), kTitleStrip);
    for (const QRect& screen : screens) {
        const QRect shown = strip.intersected(screen);
        if (!shown.isEmpty() && shown.top() == strip.top() &&
            shown.width() >= std::min(kGrip, window.width()))
            return window;
    }
    const auto area = [&window](const QRect& screen) {
        const QRect common = window.intersected(screen);
        return common.isEmpty() ? 0LL : static_cast<long long>(common.width()) * common.height();
    };
    const QRect target =
        *std::max_element(screens.begin(), screens.end(),
                          [&area](const QRect& a, const QRect& b) { return area(a) < area(b); });
    QRect placed(QPoint(0, 0), window.size().boundedTo(target.size()));
    placed.moveCenter(target.center());
    return placed;
}

void WindowProperties::KeepOnScreen() {
    std::vector<QRect> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screens.push_back(primary->availableGeometry());
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            screens.push_back(screen->availableGeometry());
    const QRect normal = NormalGeometry();
    const QRect placed = OnScreen(normal, screens);
    if (placed != normal)
        SetNormalGeometry(placed);
}

} // namespace tevrix
