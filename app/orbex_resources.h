// The program's pictures in its Qt resources (made by orbex-draw-resources).
#pragma once

namespace orbex {

inline constexpr const char* kMainPictureResource = ":/orbex/main_picture.png";
inline constexpr const char* kHandCursorResource = ":/orbex/hand_cursor.png";
inline constexpr const char* kProgramIconResource = ":/orbex/orbex_icon.png";

// Registers the resources of the application library (needed once, as it is a static library).
void InitOrbexResources();

}  // namespace orbex
