#include "gui/window_place.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <charconv>
#include <cstdio>

#include "platform/settings_store.h"

namespace orbex {
namespace {

const char* const kSection = "WINDOWS";
// How much of the title bar must lie on a screen for the window to be grabbed and moved.
constexpr int kTitleStrip = 20;
constexpr int kReachableWidth = 40;

QList<QRect> ScreenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas.append(screen->availableGeometry());
    }
    return areas;
}

}  // namespace

std::string WindowPlaceText(const QRect& place) {
    char text[64];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d", place.x(), place.y(), place.width(),
                  place.height());
    return text;
}

bool ParseWindowPlace(const std::string& text, QRect& place) {
    int numbers[4] = {};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (at == end || *at != ',') {
                return false;
            }
            ++at;
        }
        const auto [next, error] = std::from_chars(at, end, numbers[i]);
        if (error != std::errc()) {
            return false;
        }
        at = next;
    }
    if (at != end || numbers[2] < 1 || numbers[3] < 1) {
        return false;
    }
    place = QRect(numbers[0], numbers[1], numbers[2], numbers[3]);
    return true;
}

bool ReachableOnScreens(const QRect& place, const QList<QRect>& screens) {
    const QRect titleStrip(place.x(), place.y(), place.width(), kTitleStrip);
    for (const QRect& screen : screens) {
        const QRect common = screen.intersected(titleStrip);
        if (!common.isEmpty() && common.width() >= std::min(kReachableWidth, place.width())) {
            return true;
        }
    }
    return false;
}

void RememberWindowPlace(const QWidget& window, const std::string& name) {
    const QRect place(window.pos(), window.size());
    WriteString(kSection, name, WindowPlaceText(place).c_str());
}

bool RestoreWindowPlace(QWidget& window, const std::string& name) {
    std::string text;
    QRect place;
    if (!ReadString(kSection, name, text) || !ParseWindowPlace(text, place) ||
        !ReachableOnScreens(place, ScreenAreas())) {
        return false;
    }
    window.move(place.topLeft());
    // A window of fixed size (the main window, the dialog hosts) keeps its own size.
    if (window.minimumSize() != window.maximumSize()) {
        window.resize(
            place.size().expandedTo(window.minimumSize()).boundedTo(window.maximumSize()));
    }
    return true;
}

}  // namespace orbex
