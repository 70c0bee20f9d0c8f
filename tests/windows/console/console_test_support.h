// Stand-ins for the two application-shell services the Console window calls, so its tests run
// without the shell: the Commands dialog (which here sends the field's first text at once, as
// if the user pressed OK) and the settings store's number reading.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace orbex::test {

// The initial texts the Commands dialog was opened with, in order.
QStringList& CommandsDialogOpenings();
// The stored "TERMLINES" value; empty when the store has none.
std::optional<std::int32_t>& StoredTermLines();

}  // namespace orbex::test
