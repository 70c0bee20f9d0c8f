#include "app/line_batch.h"

namespace orbex {

bool DrainLineBatch(LineQueue& queue, const std::function<void(const std::string&)>& dispatch,
                    const BatchClock& now) {
    const auto end = now() + kLongestBatch;
    std::string line;
    while (queue.Pop(line)) {
        dispatch(line);
        if (now() >= end) {
            return !queue.Empty();
        }
    }
    return false;
}

}  // namespace orbex
