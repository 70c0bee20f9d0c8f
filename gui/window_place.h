// Where the main window and each monitor window stood and how large they were when they were
// last closed, kept in the settings store (section WINDOWS, one string value per window,
// "x,y,width,height": the frame's top-left corner and the window's size, whole pixels), so
// that they open there again.
#pragma once

#include <QList>
#include <QRect>
#include <string>

class QWidget;

namespace orbex {

// Stores the window's place under `name`.
void RememberWindowPlace(const QWidget& window, const std::string& name);
// Moves the window to the place stored under `name`, and resizes it when it can be resized.
// False, and the window left at its default place, when nothing usable is stored or the place
// lies off every screen.
bool RestoreWindowPlace(QWidget& window, const std::string& name);

// "x,y,width,height" and back; false for any other text or a size below one pixel.
std::string WindowPlaceText(const QRect& place);
bool ParseWindowPlace(const std::string& text, QRect& place);
// Whether a window at `place` can be reached: the strip along its top edge, where its title
// bar is, overlaps one of the screens.
bool ReachableOnScreens(const QRect& place, const QList<QRect>& screens);

}  // namespace orbex
