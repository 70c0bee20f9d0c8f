// A monitor window under test with a decoder of its own: received lines reach it decoded, the
// way the main window's dispatch hands them on, and it paints into recording surfaces.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "decode/line_decoder.h"
#include "gui/recording_surface.h"
#include "tests/windows/general_info/receiver_lines.h"

namespace orbex::test {

template <class Window>
class DecodedWindowTest : public ::testing::Test {
  protected:
    void Feed(const std::string& line) { window.OnReceiverRecord(Decoded(decoder, line)); }

    // Paints `painted` (the window or a part of it) afresh into `surface` and returns it.
    template <class Painted>
    static const RecordingSurface& PaintInto(Painted& painted, RecordingSurface& surface) {
        surface.Clear();
        painted.Paint(surface);
        return surface;
    }

    LineDecoder decoder;
    Window window{decoder};
};

}  // namespace orbex::test
