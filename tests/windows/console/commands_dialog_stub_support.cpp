#include <string>

#include "gui/commands_dialog.h"
#include "gui/main_window_messages.h"
#include "platform/settings_store.h"
#include "platform/window_messages.h"
#include "tests/windows/console/console_test_support.h"

namespace orbex {
namespace test {

QStringList& CommandsDialogOpenings() {
    static QStringList openings;
    return openings;
}

std::optional<std::int32_t>& StoredTermLines() {
    static std::optional<std::int32_t> lines;
    return lines;
}

}  // namespace test

bool RunCommandsDialog(QWidget*, const QString& initialText) {
    test::CommandsDialogOpenings().append(initialText);
    if (initialText.isEmpty()) {
        return false;  // OK is disabled on an empty field: the user cancels
    }
    const std::string bytes = initialText.toStdString() + "\r\n";
    SendToMainWindow(UWM_SEND_TO_RECEIVER, reinterpret_cast<std::uintptr_t>(bytes.data()),
                     static_cast<std::intptr_t>(bytes.size()));
    return true;
}

bool ReadNumber(const std::string& section, const std::string& name, std::int32_t& value) {
    if (section != "CONFIG" || name != "TERMLINES" || !test::StoredTermLines()) {
        return false;
    }
    value = *test::StoredTermLines();
    return true;
}

}  // namespace orbex
