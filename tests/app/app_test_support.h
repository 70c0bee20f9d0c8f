// Shared pieces of the application tests: a received GGA line, a temporary directory that also
// holds the settings file and the program directory, and waiting while the event loop runs.
#pragma once

#include <QTemporaryDir>
#include <functional>
#include <string>

namespace orbex::test {

// A GGA sentence with a fix, as the receiver sends it (with its terminator).
inline const std::string kGga =
    "$GPGGA,012345.00,3540.8742,N,13946.0275,E,1,08,1.0,40.0,M,,,,*01\r\n";

// A fresh temporary directory; the process-wide settings store and ORBEX_HOME point into it
// for the object's lifetime.
class TestHome {
  public:
    TestHome();
    ~TestHome();
    std::string path(const std::string& name) const;
    std::string storePath() const { return path("ORBEX.reg"); }
    std::string ReadFile(const std::string& name) const;
    void WriteFile(const std::string& name, const std::string& content) const;

  private:
    QTemporaryDir dir_;
};

// Runs the event loop until the condition holds or the time is up; returns the condition.
bool WaitFor(const std::function<bool()>& condition, int milliseconds = 3000);
// Runs the event loop for the given time.
void Pump(int milliseconds);

}  // namespace orbex::test
