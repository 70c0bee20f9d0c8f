#include "gui/monitor_window_factory.h"

namespace orbex {
namespace {

MonitorWindowFactory& Factory() {
    static MonitorWindowFactory factory;
    return factory;
}

}  // namespace

void SetMonitorWindowFactory(MonitorWindowFactory factory) {
    Factory() = std::move(factory);
}

const MonitorWindowFactory& CurrentMonitorWindowFactory() {
    return Factory();
}

}  // namespace orbex
