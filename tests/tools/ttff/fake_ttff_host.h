// A TTFF host for tests: collects what the series shows and sends, with a settable clock.
#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/ttff/ttff_host.h"

namespace orbex::test {

class FakeTtffHost : public TtffHost {
  public:
    void AddResultLine(const std::string& text) override {
        std::lock_guard lock(mutex);  // the worker and the test thread both add
        lines.push_back(text);
    }
    void ShowCountAndAverage(double c, int a) override {
        shownCount = c;
        shownAverage = a;
    }
    void ClearResults() override {
        std::lock_guard lock(mutex);
        lines.clear();
    }
    void SendToReceiver(std::string_view bytes) override {
        std::lock_guard lock(mutex);
        sent.emplace_back(bytes);
    }
    std::time_t Now() override { return now.fetch_add(step); }
    std::chrono::steady_clock::time_point MonotonicNow() override {
        return std::chrono::steady_clock::time_point(std::chrono::milliseconds(monotonicMs));
    }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    void SetSeriesTimer(bool running) override { timer = running; }
    void OnCycleEnded(const CycleReport& report) override {
        std::lock_guard lock(mutex);
        reports.push_back(report);
    }

    std::vector<std::string> Lines() {
        std::lock_guard lock(mutex);
        return lines;
    }
    std::size_t SentCount() {
        std::lock_guard lock(mutex);
        return sent.size();
    }
    std::size_t ReportCount() {
        std::lock_guard lock(mutex);
        return reports.size();
    }
    // Waits (up to 5 s) until `done` holds; the worker runs on its own thread.
    template <typename Condition>
    bool WaitUntil(Condition done) {
        for (int i = 0; i < 500 && !done(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return done();
    }

    std::mutex mutex;
    std::vector<std::string> lines;
    std::vector<std::string> sent;
    std::vector<CycleReport> reports;
    std::vector<std::string> errors;
    std::atomic<std::time_t> now{1070741022};  // Sat Dec 06 20:03:42 2003
    std::atomic<std::time_t> step{0};          // seconds the clock moves on at each reading
    std::atomic<long long> monotonicMs{0};     // the monotonic clock, set by the test
    std::atomic<double> shownCount{-1};
    std::atomic<int> shownAverage{-1};
    bool timer = false;
};

}  // namespace orbex::test
