// The draw calls a window test asks about, picked out of a recording surface in drawing order.
#pragma once

#include <QColor>
#include <vector>

#include "gui/recording_surface.h"

namespace orbex::test {

// The calls for which `keep` holds.
template <class Keep>
std::vector<const DrawCall*> CallsWhere(const RecordingSurface& surface, Keep keep) {
    std::vector<const DrawCall*> found;
    for (const DrawCall& c : surface.calls()) {
        if (keep(c)) {
            found.push_back(&c);
        }
    }
    return found;
}

// The calls of one kind.
inline std::vector<const DrawCall*> CallsOf(const RecordingSurface& surface, DrawCall::Op op) {
    return CallsWhere(surface, [op](const DrawCall& c) { return c.op == op; });
}

// The text calls whose top edge is at `y`: one line of a text panel.
inline std::vector<const DrawCall*> TextsAt(const RecordingSurface& surface, int y) {
    return CallsWhere(
        surface, [y](const DrawCall& c) { return c.op == DrawCall::Op::Text && c.from.y() == y; });
}

// The ellipses drawn with `pen`.
inline std::vector<const DrawCall*> Ellipses(const RecordingSurface& surface, const QColor& pen) {
    return CallsWhere(surface, [&pen](const DrawCall& c) {
        return c.op == DrawCall::Op::Ellipse && c.pen == pen;
    });
}

}  // namespace orbex::test
