// The fixture of the link tests: every test starts with an empty shared line queue and leaves
// no port list, line hook or queued line behind; message boxes are collected, and the link's
// owner records what is posted to it.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include "link/line_hook.h"
#include "link/line_queue.h"
#include "tests/link/link_test_support.h"

namespace orbex::testing {

class LinkTest : public ::testing::Test {
  protected:
    void SetUp() override { SharedLineQueue().Clear(); }
    void TearDown() override {
        ::unsetenv("ORBEX_SERIAL_PORTS");
        ConsoleLogHook().Remove();
        ReplayRecordHook().Remove();
        SharedLineQueue().Clear();
    }

    MessageSink messages_;
    RecordingOwner owner_;
};

}  // namespace orbex::testing
